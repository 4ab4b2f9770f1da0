#pragma once

#include "uilink.h"

class TVorunMainForm;

// The model's way to the main window and its legion window, installed for the whole run.
class TMainLink : public UiLink {
public:
    explicit TMainLink(TVorunMainForm &form);
    ~TMainLink() override;

    void ShowDiagnostic(const std::string &text) override;
    void ShowMessage(const std::string &text, const std::string &caption) override;
    void ShowFatalError(const std::string &text, const std::string &caption) override;
    void RedisplayLegions() override;
    void RepaintLand(int land) override;
    void RefreshPanel() override;
    bool LoadBoardPicture(const std::string &path) override;
    void BoardResized() override;
    int ScrollX() override;
    int ScrollY() override;
    int ShowPlayer(int index, const std::string &name, int colour) override;
    void SetCaption(const std::string &caption) override;

private:
    TVorunMainForm &form;
};
