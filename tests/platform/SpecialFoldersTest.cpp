#include "platform/SystemFacts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FakeSystemProbe.h"

namespace galemend {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::uint32_t kLocalAppData = 0x801C;
constexpr std::uint32_t kDocuments = 0x8005;

TEST(SpecialFolders, AskForTheirFolderIdsWithTheCreateFlag) {
    test::FakeSystemProbe probe;
    test::FakeHost host;
    EXPECT_EQ(GetLocalAppDataPath(probe, host), "C:\\Users\\Player\\AppData\\Local");
    EXPECT_EQ(GetMyDocumentsPath(probe, host), "C:\\Users\\Player\\Documents");
    EXPECT_THAT(probe.folderQueries, ElementsAre(kLocalAppData, kDocuments));
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST(SpecialFolders, FoundPathIsCutAtTheFirstNulAndGetsNoBackslash) {
    test::FakeSystemProbe probe;
    test::FakeHost host;
    const std::string forty = "C:\\Documents and Settings\\Players\\Local\\";
    ASSERT_EQ(forty.size(), 40u);
    probe.folders[kLocalAppData] = test::FoundFolder(forty);
    EXPECT_EQ(GetLocalAppDataPath(probe, host), forty);
    // Whatever follows the first NUL in the buffer is not part of the path.
    std::string buffer = "D:\\Docs";
    buffer += '\0';
    buffer += "left over";
    buffer.resize(260, '\0');
    probe.folders[kDocuments] = {0, buffer};
    EXPECT_EQ(GetMyDocumentsPath(probe, host), "D:\\Docs");
}

TEST(SpecialFolders, StatusCodesGiveTheirMessagesOrNone) {
    const struct {
        std::uint32_t status;
        const char* message;  // nullptr: none
    } cases[] = {
        {0x80070057, "An invalid folder ID was specified"},
        {1, "The folder does not exist"},
        {0x80070005, nullptr},  // access denied
        {0x80004005, nullptr},  // unspecified failure
        {2, nullptr},
    };
    for (const auto& c : cases) {
        test::FakeSystemProbe probe;
        test::FakeHost host;
        probe.folders[kDocuments] = {c.status, test::FoundFolder("C:\\Ignored").buffer};
        EXPECT_EQ(GetMyDocumentsPath(probe, host), "") << std::hex << c.status;
        if (c.message != nullptr) {
            EXPECT_THAT(host.messages, ElementsAre(c.message)) << std::hex << c.status;
        } else {
            EXPECT_THAT(host.messages, IsEmpty()) << std::hex << c.status;
        }
    }
}

TEST(AppPath, EndsInExactlyOneBackslash) {
    test::FakeSystemProbe probe;
    test::FakeHost host;
    probe.executableFolder = "C:\\Games\\galemend";
    EXPECT_EQ(App_Path(probe), "C:\\Games\\galemend\\");
    probe.executableFolder = "C:\\";
    EXPECT_EQ(App_Path(probe), "C:\\");
}

TEST(AppPath, ModuleFolderKeepsTheBackslashOnlyAtADriveRoot) {
    EXPECT_EQ(FolderOfModule("C:\\Games\\galemend\\galemend3.exe"), "C:\\Games\\galemend");
    EXPECT_EQ(FolderOfModule("C:\\galemend3.exe"), "C:\\");
    EXPECT_EQ(FolderOfModule("\\\\server\\share\\galemend3.exe"), "\\\\server\\share");
}

}  // namespace
}  // namespace galemend
