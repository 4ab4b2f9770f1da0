#pragma once

#include "savegame.h"

// What the reader, the writer and the loader of saved games share; private to this library.
namespace SaveFormat {

inline constexpr int FormatVersion = 2;
inline constexpr int CodesPerCrit = 26; // a creature code is type + 26 when the position is unsure

inline constexpr const char *ErrorCaption = "Error";
inline constexpr const char *LoadErrorText = "Error loading game file.";

inline LoadResult Failure(LoadOutcome outcome, MessageKind kind, const char *text,
                          const char *caption)
{
    return LoadResult{outcome, kind, text, caption};
}

// A file that broke after its version line.
inline LoadResult LoadError()
{
    return Failure(LoadOutcome::Restart, MessageKind::Error, LoadErrorText, ErrorCaption);
}

} // namespace SaveFormat
