#pragma once

#include "programfolders.h"
#include "settings.h"

#include <QByteArray>
#include <QtGlobal>

#include <string>

#include <time.h>

// What the Qt benchmarks share: their clock and how they set the program up.

// The processor time this process has used, in microseconds: the figure a busy machine disturbs
// least, unlike the time on the clock.
inline double CpuMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}

// Without a display the benchmark runs on Qt's offscreen platform. Call before the application.
inline void OffscreenWithoutDisplay()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The build's portable folder, given on the command line with or without its final "/".
inline TProgramFolders PortableFolders(std::string dir)
{
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return {dir, dir, dir + IniFileBaseName};
}
