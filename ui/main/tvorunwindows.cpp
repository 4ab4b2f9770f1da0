#include "tvorunwindows.h"

#include "savefiles.h"
#include "tabout.h"
#include "tcharadd.h"
#include "tchrleft.h"
#include "tconfig.h"
#include "thistory.h"
#include "tlgndisp.h"
#include "tlmselec.h"
#include "tnotes.h"
#include "tpcolor.h"
#include "tpnames.h"
#include "vornmain.h"

TVorunWindows::TVorunWindows(TProgramFolders folders, std::vector<std::string> arguments)
    : MainForm(std::make_unique<TVorunMainForm>(std::move(folders), std::move(arguments))),
      ColorForm(std::make_unique<TColorForm>()),
      NamesForm(std::make_unique<TNamesForm>(*ColorForm)),
      MonSelectForm(std::make_unique<TMonSelectForm>(MainForm->Document())),
      LMSelectForm(std::make_unique<TLMSelectForm>(MainForm->Document())),
      LgnDispForm(std::make_unique<TLgnDispForm>(MainForm->Document(), *MainForm, *MonSelectForm,
                                                 *LMSelectForm)),
      CharLeftForm(std::make_unique<TCharLeftForm>(MainForm->Document())),
      AboutForm(std::make_unique<TAboutForm>(SavedGamesDir(MainForm->Folders().games))),
      NotesForm(std::make_unique<TNotesForm>(MainForm->Game())),
      ConfigForm(std::make_unique<TConfigForm>(*MainForm)),
      HistoryForm(std::make_unique<TGameHistoryForm>(MainForm->Document().History()))
{
    MainForm->AttachWindows(*this);
}

TVorunWindows::~TVorunWindows() = default;
