// The designed window: twips, the control table and its tab order.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ui/WindowDesign.h"

namespace galemend {
namespace {

using ::testing::ElementsAre;

TEST(Twips, FifteenToThePixelAtNinetySixDotsPerInch) {
    EXPECT_EQ(TwipsToPixels(10215, 96), 681);
    EXPECT_EQ(TwipsToPixels(7440, 96), 496);
    EXPECT_EQ(ToPixels({120, 1560, 3855, 315}, 96), (PixelRect{8, 104, 257, 21}));
    // Larger text settings scale every place and size alike, rounding to the nearest pixel.
    EXPECT_EQ(TwipsToPixels(10215, 120), 851);
    EXPECT_EQ(TwipsToPixels(7, 96), 0);
    EXPECT_EQ(TwipsToPixels(8, 96), 1);
}

TEST(Twips, PointSizesBecomePixelHeights) {
    EXPECT_EQ(PointsToPixels(825, 96), 11);
    EXPECT_EQ(PointsToPixels(975, 96), 13);
    EXPECT_EQ(PointsToPixels(1350, 96), 18);
    EXPECT_EQ(PointsToPixels(1800, 96), 24);
    EXPECT_EQ(PointsToPixels(825, 120), 14);
}

TEST(FormDesign, EveryControlOnceInTabOrder) {
    std::vector<std::string> names;
    std::set<int> ids;
    for (const ControlDesign& design : Form1Design()) {
        names.emplace_back(design.name);
        ids.insert(design.id);
    }
    EXPECT_THAT(names,
                ElementsAre("Drive1", "File1", "Dir1", "Command1", "Command2", "Command3",
                            "Command4", "Command5", "Text1", "Label1", "Label2", "Label3", "Label4",
                            "Label5", "Label6", "Label7", "Label8", "Text2", "Label9", "Label10",
                            "Label11", "Label12", "Label13", "Label14", "Label15", "Label16",
                            "Label17", "Label18", "Label19", "Command6", "Command7"));
    EXPECT_EQ(ids.size(), names.size()) << "identifiers are unique";
}

TEST(FormDesign, IdentifiersFollowTheControlNumbers) {
    for (int n = 1; n <= 7; ++n) {
        ASSERT_NE(FindDesign(control_id::Command(n)), nullptr);
        EXPECT_EQ(FindDesign(control_id::Command(n))->name, "Command" + std::to_string(n));
    }
    for (int n = 1; n <= 19; ++n) {
        ASSERT_NE(FindDesign(control_id::Label(n)), nullptr);
        EXPECT_EQ(FindDesign(control_id::Label(n))->name, "Label" + std::to_string(n));
    }
    EXPECT_EQ(FindDesign(control_id::kDir1)->kind, ControlKind::FolderList);
    EXPECT_EQ(FindDesign(control_id::kFile1)->kind, ControlKind::FileList);
    EXPECT_EQ(FindDesign(control_id::kDrive1)->kind, ControlKind::DriveList);
    EXPECT_EQ(FindDesign(control_id::kText1)->kind, ControlKind::TextBox);
    EXPECT_EQ(FindDesign(999), nullptr);
}

TEST(FormDesign, EveryControlLiesInsideTheClientArea) {
    for (const ControlDesign& design : Form1Design()) {
        EXPECT_GE(design.rect.left, 0) << design.name;
        EXPECT_GE(design.rect.top, 0) << design.name;
        EXPECT_LE(design.rect.left + design.rect.width, kClientWidthTwips) << design.name;
        EXPECT_LE(design.rect.top + design.rect.height, kClientHeightTwips) << design.name;
    }
}

TEST(FormDesign, FontsAndAlignmentsAsDesigned) {
    const auto font = [](int id) { return FindDesign(id)->font; };
    EXPECT_EQ(font(control_id::Command(1)), (FontDesign{"MS Sans Serif", 825, true, false}));
    EXPECT_EQ(font(control_id::Command(3)), (FontDesign{"MS Sans Serif", 1800, true, false}));
    EXPECT_EQ(font(control_id::Command(4)), (FontDesign{"Arial Narrow", 825, false, false}));
    EXPECT_EQ(font(control_id::Label(2)), (FontDesign{"MS Sans Serif", 1350, true, true}));
    EXPECT_EQ(font(control_id::Label(9)), (FontDesign{"MS Sans Serif", 975, true, false}));
    EXPECT_EQ(font(control_id::Command(6)), kDefaultFont);
    EXPECT_EQ(font(control_id::kText1), kDefaultFont);

    std::vector<std::string> right;
    std::vector<std::string> centred;
    std::vector<std::string> sizing;
    for (const ControlDesign& design : Form1Design()) {
        if (design.alignment == Alignment::Right) {
            right.emplace_back(design.name);
        } else if (design.alignment == Alignment::Centre) {
            centred.emplace_back(design.name);
        }
        if (design.sizesToText) {
            sizing.emplace_back(design.name);
        }
    }
    EXPECT_THAT(right, ElementsAre("Label4", "Label6"));
    EXPECT_THAT(centred, ElementsAre("Label2", "Label9", "Label10", "Label19"));
    EXPECT_THAT(sizing, ElementsAre("Label11", "Label12", "Label13", "Label14", "Label15",
                                    "Label16", "Label17", "Label18"));
}

}  // namespace
}  // namespace galemend
