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
    EXPECT_TRUE(Ui::LoadBoardPicture("/nowhere/VORNBRD1.BMP")); // no window, nothing to show
    EXPECT_EQ(Ui::ScrollX() + Ui::ScrollY(), 0);
}

TEST(UiLink, DiagnosticsAreFormattedAndCutTo255Characters)
{
    RecordingLink link;
    Ui::Diagnostic("Bug: request to remove legion that's not there from land %d", 42);
    Ui::Diagnostic("%s", std::string(300, 'x').c_str());
    const auto texts = link.Of("Diagnostic");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "Bug: request to remove legion that's not there from land 42");
    EXPECT_EQ(texts[1], std::string(255, 'x'));
}
