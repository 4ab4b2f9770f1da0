#pragma once

#include "fake_platform.h"
#include "program_folder.h"
#include "tlegion.h"
#include "tmastrbd.h"
#include "vornmain.h"

#include <QApplication>
#include <QStringList>

// The saved game the board and panel tests stand on. Tower 600 is full (Anchor, Bat, Cross;
// Anchor carries two unsure creatures first); tower 200 holds Candle (one unsure creature last)
// and Eagle; Marsh 8 (upward) holds Fist with eight creatures, Desert 7 (downward) Gong with
// seven; Plains 1 and Mountains 1000 above it stand empty.
constexpr const char *BoardGame = "2\n"
                                  "Board game\n"
                                  "brd\n"
                                  "16 6 18 21 10 28 18 17 18 25 18 6 10 28 21 21 28 10 0 28 12 "
                                  "21 6 18 \n"
                                  "2 0 1 0 1\n"
                                  "Anne\n"
                                  "1 3 12 90 45 27 4 4 8 8 16 16\n"
                                  "13 90 14 20 0 0 0 0 0 0\n"
                                  "14 86 6 6 36 0 0 0 0 0\n"
                                  "Bob\n"
                                  "5 4 60 90 16 0 0 0 0 0 0 0\n"
                                  "61 86 11 0 0 0 0 0 0 0\n"
                                  "62 8 20 20 20 20 17 17 24 22\n"
                                  "63 7 20 20 20 17 17 24 22 0\n";

// The program's main window, for helpers that are handed only a land number.
inline TVorunMainForm &CurrentForm()
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (auto *form = dynamic_cast<TVorunMainForm *>(window); form && form->isVisible())
            return *form;
    qFatal("no main window is shown");
}

// The marker names of a land's legions, slot 1 first.
inline QStringList SlotNames(const TVorunMainForm &form, int land)
{
    QStringList names;
    for (const TLegion *legion : form.LandStacks(land).GetSlots())
        if (legion)
            names << QString::fromStdString(legion->GetName());
    return names;
}

// The program started on the board game, with the fake platform answering its prompts.
struct BoardSession {
    explicit BoardSession(int size = 1, int width = 1024, int height = 768)
        : folder(size, width, height)
    { }
    FakePlatform fake;
    ProgramFolder folder;
    std::unique_ptr<TVorunWindows> windows = StartWithGame(folder, BoardGame);
    TVorunMainForm &form = *windows->MainForm;
};
