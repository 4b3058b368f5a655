#include <gmock/gmock.h>

#include "StartupFixture.h"

namespace galemend::test {
namespace {

class CommandLine : public StartupTest {
  protected:
    std::optional<unsigned> Stage(const std::string& commandLine) {
        probe.commandLine = commandLine;
        return Ends([&] {
            CommandLineStage(Context(), [&] {
                ++silentRuns;
                return silentResult;
            });
        });
    }
    bool SearchButtonsDisabled() const {
        return !form.Command1.Enabled() && !form.Command2.Enabled() && !form.Command3.Enabled() &&
               !form.Command4.Enabled() && !form.Command5.Enabled();
    }
};

TEST_F(CommandLine, NoArgumentsLeaveTheWindowWaiting) {
    EXPECT_EQ(Stage(""), std::nullopt);
    EXPECT_TRUE(form.Command1.Enabled());
    EXPECT_FALSE(form.Command2.Enabled());
    EXPECT_FALSE(form.Label19.Visible());
    EXPECT_EQ(silentRuns, 0);
}

// Each switch in a window of its own, so that the buttons and Label19 start as designed.
class SilentSwitch : public CommandLine, public ::testing::WithParamInterface<const char*> {};

TEST_P(SilentSwitch, InAnyCaseStartsOneSilentRun) {
    ASSERT_FALSE(SearchButtonsDisabled());
    ASSERT_FALSE(form.Label19.Visible());
    silentResult = ExitStatus::MapsNotConverted;
    EXPECT_EQ(Stage(GetParam()), 4u) << "the silent run's status ends the process";
    EXPECT_EQ(silentRuns, 1);
    EXPECT_TRUE(SearchButtonsDisabled());
    EXPECT_TRUE(form.Label19.Visible());
}

INSTANTIATE_TEST_SUITE_P(CommandLine, SilentSwitch,
                         ::testing::Values("/S", "-SILENT", "/Silent", "-s", "/s /s"));

TEST_F(CommandLine, AnythingElseIsRefusedWithItsTokenAsGiven) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"/s  /s", "Invalid argument: "},  // two spaces give an empty token
        {"\"/s\"", "Invalid argument: \"/s\""}, {"/S /Quiet", "Invalid argument: /Quiet"},
        {"/X /s", "Invalid argument: /X"},      {" /s", "Invalid argument: "},
    };
    for (const auto& [line, message] : cases) {
        SCOPED_TRACE(line);
        host.messages.clear();
        silentRuns = 0;
        EXPECT_EQ(Stage(line), 2u);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0], message);
        EXPECT_EQ(silentRuns, 0);
    }
}

TEST_F(CommandLine, ABadTokenAfterASwitchFindsTheButtonsAlreadyDisabled) {
    EXPECT_EQ(Stage("-s bad"), 2u);
    EXPECT_TRUE(SearchButtonsDisabled());
    EXPECT_TRUE(form.Label19.Visible());
}

TEST_F(CommandLine, ASecondDiagnosticStartReplacesTheLog) {
    fs.WriteFile("info.txt", "from the first start\r\n");
    log.Create();
    log.Line({"second"});
    EXPECT_EQ(fs.ReadFile("info.txt"), "second\r\n");
}

TEST_F(CommandLine, DiagnosticLogIsClosedBeforeTheSilentWork) {
    installation.infoLogOn = true;
    log.Create();
    probe.commandLine = "/s";
    Ends([&] {
        CommandLineStage(Context(), [&] {
            EXPECT_FALSE(log.IsOpen());
            return ExitStatus::Normal;
        });
    });
    EXPECT_FALSE(log.IsOpen());
}

}  // namespace
}  // namespace galemend::test
