#pragma once

#include "uilink.h"

class TVorunMainForm;

// The model's way to the main window, installed for the whole run.
class TMainLink : public UiLink {
public:
    explicit TMainLink(TVorunMainForm &form);
    ~TMainLink() override;

    void ShowDiagnostic(const std::string &text) override;
    void ShowMessage(const std::string &text, const std::string &caption) override;
    void ShowFatalError(const std::string &text, const std::string &caption) override;
    bool LoadBoardPicture(const std::string &path, int s) override;
    void BoardResized() override;
    int ScrollX() override;
    int ScrollY() override;

private:
    TVorunMainForm &form;
};
