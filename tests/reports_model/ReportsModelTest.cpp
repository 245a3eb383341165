#include "reports/model/DialogGeometry.h"
#include "reports/model/ReportContent.h"
#include "reports/model/ReportIcons.h"
#include "reports/model/UnsavedPrompt.h"

#include <gtest/gtest.h>

namespace mnm::reports {
namespace {

TEST(ReportIcons, WarningSuccessOrError)
{
    EXPECT_EQ(IconForCode(-1702), kIconWarning);
    EXPECT_EQ(IconForCode(-1703), kIconWarning);
    EXPECT_EQ(IconForCode(0), kIconSuccess);
    EXPECT_EQ(IconForCode(-1701), kIconError);
    EXPECT_EQ(IconForCode(kTextReport), kIconError);
}

TEST(ReportContent, FromCodeOrFromText)
{
    const ReportContent verify = ErrorReportContent(Report{}, "Verify");
    EXPECT_EQ(verify.text, "No Errors Found");
    EXPECT_EQ(verify.title, "Verify");
    EXPECT_EQ(verify.icon, 12013);
    // The catalogue's Windows-1252 letters arrive as UTF-8.
    EXPECT_NE(ErrorReportContent(Report{-4304}, "Add").text.find("milliamp\xC3\xA8res"), std::string::npos);
    // A report's own text is shown instead, converted the same way.
    const ReportContent own = ErrorReportContent(Rejected("caf\xE9"), "Send");
    EXPECT_EQ(own.text, "caf\xC3\xA9");
    EXPECT_EQ(own.icon, kIconError);

    const ReportContent absent = TextReportContent(std::nullopt, std::nullopt);
    EXPECT_EQ(absent.text, "Report");
    EXPECT_EQ(absent.title, "Error");
    EXPECT_EQ(absent.icon, 12018);
    EXPECT_EQ(TextReportContent("x", "").title, "");
}

TEST(DialogGeometry, DialogUnitsScaleWithTheFont)
{
    const BaseUnits base{6, 13};
    EXPECT_EQ(ToPixels(ErrorReportTemplate::kText, base), (Rect{9, 7, 387, 163}));
    EXPECT_EQ(ToPixels(ErrorReportTemplate::kDialog, base), (Size{405, 249}));
    EXPECT_EQ(ToPixels(ErrorReportTemplate::kText, BaseUnits{12, 26}), (Rect{18, 13, 774, 325}));
}

TEST(DialogGeometry, ErrorReportHugsAThreeLineText)
{
    const Rect text{9, 7, 387, 163};
    const Rect icon{9, 182, 24, 26};
    const Rect ok{165, 221, 75, 23};
    const ErrorReportLayout layout = LayoutErrorReport(text, icon, ok, 3 * 15);
    EXPECT_EQ(layout.text, (Rect{9, 7, 387, 45}));
    EXPECT_EQ(layout.icon, (Rect{9, 64, 24, 26}));  // 12 below the text
    EXPECT_EQ(layout.ok, (Rect{165, 64, 75, 23}));
    EXPECT_EQ(layout.height, 64 + 23 + 16);

    // A taller text keeps the template's area and is clipped.
    EXPECT_EQ(LayoutErrorReport(text, icon, ok, 500).text.height, 163);
}

TEST(DialogGeometry, PlacementOverTheParent)
{
    const Rect parent{100, 50, 800, 600};
    EXPECT_EQ(PlaceErrorReport(parent, {405, 103}), (Rect{297, 427, 405, 103}));
    EXPECT_EQ(PlaceCentred(parent, {257, 182}), (Rect{371, 259, 257, 182}));
    // A parent narrower than the dialog rounds toward zero.
    EXPECT_EQ(PlaceCentred({0, 0, 300, 100}, {405, 101}).x, -52);
}

TEST(UnsavedPrompt, TextsOfSixtyFiveCharactersOrMoreShowAsQuestionMarks)
{
    const std::string fits(64, 'a');
    EXPECT_EQ(PromptText(fits), fits);
    EXPECT_EQ(PromptText(std::string(65, 'a')), "???");
    std::string accented;
    for (int i = 0; i < 64; ++i) accented += "\xC3\xA8";
    EXPECT_EQ(PromptText(accented), accented);
}

} // namespace
} // namespace mnm::reports
