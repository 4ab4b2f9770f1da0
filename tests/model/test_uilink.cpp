#include "uilink.h"

#include "recording_link.h"

#include <gtest/gtest.h>

TEST(UiLink, WithoutALinkEveryCallIsHarmless)
{
    ASSERT_EQ(InstalledUiLink(), nullptr);
    Ui::Diagnostic("Bug: %d", 1);
    Ui::Message("text", "caption");
    Ui::FatalError("text", "caption");
    Ui::BoardResized();
    EXPECT_TRUE(Ui::LoadBoardPicture("/nowhere/VORNBRD1.BMP", 15)); // no window, nothing to show
    EXPECT_EQ(Ui::ScrollX() + Ui::ScrollY(), 0);
}

// The formatting itself shows in every diagnostic the other tests hear.
TEST(UiLink, DiagnosticsAreCutTo255Characters)
{
    RecordingLink link;
    Ui::Diagnostic("%s", std::string(300, 'x').c_str());
    EXPECT_EQ(link.Of("Diagnostic"), std::vector<std::string>{std::string(255, 'x')});
}
