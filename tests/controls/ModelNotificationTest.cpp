// Change notifications of the plain control models and the run guard.
#include <gtest/gtest.h>

#include "controls/Controls.h"

namespace galemend {
namespace {

TEST(ModelNotification, LabelTellsEveryObserverOfRealChangesOnly) {
    Label label("0");
    int first = 0;
    int second = 0;
    label.OnChange([&] { ++first; });
    label.OnChange([&] { ++second; });

    label.SetCaption("0");
    label.SetVisible(true);
    label.SetToolTip("");
    EXPECT_EQ(first, 0) << "setting the current value is no change";

    label.SetCaption(" 1");
    label.SetVisible(false);
    label.SetToolTip("C:\\Maps");
    EXPECT_EQ(first, 3);
    EXPECT_EQ(second, 3);
    EXPECT_EQ(label.Caption(), " 1");
    EXPECT_FALSE(label.Visible());
    EXPECT_EQ(label.ToolTip(), "C:\\Maps");

    EXPECT_FALSE(Label("silent mode the buttons do not work", false).Visible());
}

TEST(ModelNotification, ButtonStartsEnabledAndVisibleAndReportsChanges) {
    Button button("find galaxies");
    EXPECT_EQ(button.Caption(), "find galaxies");
    EXPECT_TRUE(button.Enabled());
    EXPECT_TRUE(button.Visible());

    int changes = 0;
    button.OnChange([&] { ++changes; });
    button.SetEnabled(true);
    button.SetEnabled(false);
    button.SetVisible(false);
    button.SetToolTip("C:\\Games");
    button.SetToolTip("C:\\Games");
    EXPECT_EQ(changes, 3);
    EXPECT_FALSE(button.Enabled());
    EXPECT_FALSE(button.Visible());
    EXPECT_EQ(button.ToolTip(), "C:\\Games");
}

TEST(ModelNotification, TextBoxAppendsInOneNotification) {
    TextBox box;
    std::vector<std::string> seen;
    box.OnChange([&] { seen.push_back(box.Text()); });

    box.AppendText("a.galaxy\r\n");
    box.AppendText("");
    box.AppendText("b.galaxy\r\nc.galaxy\r\n");
    box.SetText(box.Text());
    box.SetText("");
    EXPECT_EQ(seen, (std::vector<std::string>{"a.galaxy\r\n",
                                              "a.galaxy\r\nb.galaxy\r\nc.galaxy\r\n", ""}));
}

TEST(BusyGuard, RefusesASecondRunUntilTheFirstScopeEnds) {
    Busy busy;
    std::vector<bool> seen;
    busy.OnChange([&] { seen.push_back(busy.Running()); });
    {
        auto outer = busy.TryStart();
        ASSERT_TRUE(outer.has_value());
        EXPECT_TRUE(busy.Running());
        EXPECT_FALSE(busy.TryStart().has_value()) << "a nested start is refused";
        EXPECT_TRUE(busy.Running()) << "a refused start does not end the running one";

        // A scope handed on ends the run once, when its last holder goes.
        std::optional<Busy::Scope> moved(std::move(outer));
        outer.reset();
        EXPECT_TRUE(busy.Running());
    }
    EXPECT_FALSE(busy.Running());
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_TRUE(busy.TryStart().has_value()) << "a new run may start after the first ended";
}

TEST(BusyGuard, EndsTheRunWhenTheWorkThrows) {
    Busy busy;
    EXPECT_THROW(
        {
            const auto scope = busy.TryStart();
            throw std::runtime_error("failed");
        },
        std::runtime_error);
    EXPECT_FALSE(busy.Running());
}

}  // namespace
}  // namespace galemend
