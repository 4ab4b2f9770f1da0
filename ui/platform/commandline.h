#pragma once

#include <string>
#include <vector>

// What the program's command line asks for. Read before any window or display exists, so that
// --help and --version answer on a machine without one.
struct TCommandLine {
    enum class Action {
        Run,
        Help, // print `text` to standard output, exit 0
        Version, // the same
        Usage, // print `text` to standard error, exit 2
    };
    Action action = Action::Run;
    // The arguments that are no options, byte for byte as the system gave them: a file name in
    // any character set must open.
    std::vector<std::string> games;
    std::string text;
};

TCommandLine ParseCommandLine(int argc, const char *const *argv);
