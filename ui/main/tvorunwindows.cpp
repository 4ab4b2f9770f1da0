#include "tvorunwindows.h"

#include "savefiles.h"
#include "tabout.h"
#include "tcharadd.h"
#include "tchrleft.h"
#include "tconfig.h"
#include "tlgndisp.h"
#include "tlmselec.h"
#include "tnotes.h"
#include "tpcolor.h"
#include "tpnames.h"
#include "vornmain.h"

TVorunWindows::TVorunWindows(TProgramFolders folders, std::vector<std::string> arguments)
    : MainForm(std::make_unique<TVorunMainForm>(std::move(folders), std::move(arguments))),
      NamesForm(std::make_unique<TNamesForm>(*this)),
      ColorForm(std::make_unique<TColorForm>(*this)),
      LgnDispForm(std::make_unique<TLgnDispForm>(*this)),
      MonSelectForm(std::make_unique<TMonSelectForm>(*this)),
      LMSelectForm(std::make_unique<TLMSelectForm>(*this)),
      CharLeftForm(std::make_unique<TCharLeftForm>(*this)),
      AboutForm(std::make_unique<TAboutForm>(SavedGamesDir(MainForm->Folders().games))),
      NotesForm(std::make_unique<TNotesForm>(*this)),
      ConfigForm(std::make_unique<TConfigForm>(*this))
{
    MainForm->AttachWindows(*this);
}

TVorunWindows::~TVorunWindows() = default;
