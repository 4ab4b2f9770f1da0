#pragma once

#include <string>
#include <utility>
#include <vector>

#include "uilink.h"

// A window link for tests: records every call in order as (kind, text) and answers the board
// picture and scroll queries as scripted. Installs itself for its lifetime.
class RecordingLink : public UiLink {
public:
    RecordingLink() { InstallUiLink(this); }
    ~RecordingLink() override { InstallUiLink(nullptr); }

    void ShowDiagnostic(const std::string &text) override { Record("Diagnostic", text); }
    void ShowMessage(const std::string &text, const std::string &caption) override
    {
        Record("Message", text + " | " + caption);
    }
    void ShowFatalError(const std::string &text, const std::string &caption) override
    {
        Record("Fatal", text + " | " + caption);
    }
    bool LoadBoardPicture(const std::string &path, int) override
    {
        Record("Picture", path);
        return pictureLoads;
    }
    void BoardResized() override { Record("Resized", ""); }
    int ScrollX() override { return scrollX; }
    int ScrollY() override { return scrollY; }

    // The texts of the calls of one kind.
    std::vector<std::string> Of(const std::string &kind) const
    {
        std::vector<std::string> texts;
        for (const auto &[k, text] : calls)
            if (k == kind)
                texts.push_back(text);
        return texts;
    }
    void Clear() { calls.clear(); }
    void Record(const char *kind, const std::string &text) { calls.emplace_back(kind, text); }

    std::vector<std::pair<std::string, std::string>> calls;
    bool pictureLoads = true;
    int scrollX = 0;
    int scrollY = 0;
};
