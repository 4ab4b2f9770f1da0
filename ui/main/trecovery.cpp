#include "trecovery.h"

#include "platform.h"
#include "savegame.h"
#include "tgamedoc.h"

#include <QWidget>

#include <utility>

namespace {

constexpr const char *CannotKeepText
    = "Unsaved changes cannot be kept for recovery after a crash; save the game to keep them.";
constexpr const char *CannotKeepCaption = "Recovery";

} // namespace

TRecoveryKeeper::TRecoveryKeeper(TGameDocument &document, QWidget &window,
                                 const std::string &savedGamesDir, std::function<void()> takeNotes,
                                 int delayMs)
    : document(document),
      window(window),
      takeNotes(std::move(takeNotes)),
      writer(savedGamesDir, [this](const std::string &failure) {
          // From the worker: the answer is handled on the window thread.
          QMetaObject::invokeMethod(
              this, [this, failure] { Written(failure); }, Qt::QueuedConnection);
      })
{
    delay.setSingleShot(true);
    delay.setInterval(delayMs);
    connect(&delay, &QTimer::timeout, this, &TRecoveryKeeper::WriteNow);
    connect(&document, &TGameDocument::StateChanged, this, &TRecoveryKeeper::StateChanged);
}

// The notes window has gone by now; its text reached the game with the last snapshot or at the
// close.
TRecoveryKeeper::~TRecoveryKeeper()
{
    takeNotes = nullptr;
    if (delay.isActive())
        WriteNow();
}

void TRecoveryKeeper::StateChanged()
{
    if (document.Unsaved())
        lastEdit = ThePlatform().Now();
    // Not restarted by later edits, so a long burst of them is still written within the delay.
    if (!delay.isActive())
        delay.start();
}

void TRecoveryKeeper::WriteNow()
{
    delay.stop();
    if (!document.Unsaved()) {
        writer.Clear();
        return;
    }
    if (takeNotes)
        takeNotes();
    writer.Write(SavedGameText(document.Game()), lastEdit);
}

void TRecoveryKeeper::Adopt(TRecoveryLock lock, const TDateTime &recoveredEdit)
{
    writer.Adopt(std::move(lock));
    lastEdit = recoveredEdit;
}

void TRecoveryKeeper::Finish()
{
    if (delay.isActive())
        WriteNow();
    writer.Finish();
}

// One message a session: the same failure after every edit would make the game unplayable.
void TRecoveryKeeper::Written(const std::string &failure)
{
    if (failure.empty() || failureShown)
        return;
    failureShown = true;
    ThePlatform().MessageBox(&window, std::string(CannotKeepText) + "\n" + failure,
                             CannotKeepCaption, Platform::Icon::Warning, Platform::Buttons::Ok);
}
