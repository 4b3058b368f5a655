#include "platform/SystemFacts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FakeSystemProbe.h"

namespace galemend {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct Row {
    std::uint32_t platformId, major, minor;
    const char* shortName;
};

TEST(WindowsShortName, FollowsTheTableRowByRow) {
    const Row rows[] = {
        {0, 0, 0, "32s"},      {0, 9, 9, "32s"},   {1, 4, 0, "95"},         {1, 7, 0, "95"},
        {1, 4, 90, "ME"},      {1, 0, 90, "ME"},   {1, 4, 10, "98"},        {1, 4, 1, "98"},
        {2, 3, 0, "NT3"},      {2, 3, 1, "NT3.1"}, {2, 3, 5, "NT3.5"},      {2, 3, 51, "NT3.51"},
        {2, 3, 2, ""},         {2, 3, 50, ""},     {2, 4, 0, "NT 4"},       {2, 4, 90, "NT 4"},
        {2, 5, 0, "Win2000"},  {2, 5, 1, "WinXP"}, {2, 5, 2, "WinXP x64 "}, {2, 5, 3, "Winxp x64?"},
        {2, 6, 0, "WinVista"}, {2, 6, 1, "win7"},  {2, 6, 2, "Win7+ x64?"}, {2, 6, 3, "Win7+ x64?"},
        {2, 2, 0, ""},         {2, 7, 0, ""},      {2, 10, 0, ""},          {3, 6, 1, ""},
        {7, 5, 1, ""},
    };
    for (const Row& row : rows) {
        test::FakeSystemProbe probe;
        probe.version = {true, row.platformId, row.major, row.minor};
        EXPECT_EQ(GetWindowsShortName(probe), row.shortName)
            << "platform " << row.platformId << ", " << row.major << "." << row.minor;
    }
}

TEST(WindowsShortName, FailedQueryGivesEmptyWhateverTheRecordHolds) {
    test::FakeSystemProbe probe;
    probe.version = {false, 2, 6, 1};
    EXPECT_EQ(GetWindowsShortName(probe), "");
    EXPECT_FALSE(IsWindows7(probe));
    EXPECT_FALSE(IsWindowsVista(probe));
}

TEST(WindowsRelease, VistaAndSevenAreExactNtReleases) {
    test::FakeSystemProbe probe;
    probe.version = {true, 2, 6, 0};
    EXPECT_TRUE(IsWindowsVista(probe));
    EXPECT_FALSE(IsWindows7(probe));
    probe.version = {true, 2, 6, 1};
    EXPECT_FALSE(IsWindowsVista(probe));
    EXPECT_TRUE(IsWindows7(probe));
    for (const VersionRecord other :
         {VersionRecord{true, 2, 6, 2}, VersionRecord{true, 1, 6, 1}, VersionRecord{true, 2, 5, 1},
          VersionRecord{true, 2, 10, 0}}) {
        probe.version = other;
        EXPECT_FALSE(IsWindowsVista(probe));
        EXPECT_FALSE(IsWindows7(probe));
    }
}

TEST(WindowsRelease, EveryCallAsksAgain) {
    test::FakeSystemProbe probe;
    GetWindowsShortName(probe);
    IsWindowsVista(probe);
    IsWindows7(probe);
    probe.version = {true, 2, 6, 0};
    EXPECT_EQ(GetWindowsShortName(probe), "WinVista");
    EXPECT_EQ(probe.versionQueries, 4);
}

// Answers FirstMatch from a set of existing paths and records every lookup.
class LookupRecorder : public FileSystem {
  public:
    std::vector<std::string> existing;
    mutable std::vector<std::string> lookups;

    std::string ReadFile(const std::string&) const override { return {}; }
    void WriteFile(const std::string&, std::string_view) override {}
    void Rename(const std::string&, const std::string&) override {}
    void Remove(const std::string&) override {}
    std::vector<std::string> ListFolders(const std::string&) const override { return {}; }
    std::vector<std::string> ListFiles(const std::string&, const std::string&) const override {
        return {};
    }

  protected:
    std::string FindFirst(const std::string& pattern, EntryKinds kinds) const override {
        lookups.push_back(pattern);
        const bool found = kinds == EntryKinds::FilesAndFolders &&
                           std::find(existing.begin(), existing.end(), pattern) != existing.end();
        return found ? "program files (x86)" : "";
    }
};

TEST(Is64BitWindows, NtWithTheX86FolderOnTheSystemDrive) {
    test::FakeSystemProbe probe;
    LookupRecorder disk;
    disk.existing = {"C:\\program files (x86)\\."};
    probe.version = {true, 2, 5, 1};
    EXPECT_TRUE(Is64BitWindows(probe, disk, "C:"));
    EXPECT_FALSE(Is64BitWindows(probe, disk, "D:"));
    EXPECT_THAT(disk.lookups,
                ElementsAre("C:\\program files (x86)\\.", "D:\\program files (x86)\\."));
    EXPECT_EQ(probe.versionQueries, 2);
}

TEST(Is64BitWindows, NinexIsNeverSixtyFourBitButTheFolderIsStillLookedAt) {
    test::FakeSystemProbe probe;
    LookupRecorder disk;
    disk.existing = {"C:\\program files (x86)\\."};
    probe.version = {true, 1, 4, 10};
    EXPECT_FALSE(Is64BitWindows(probe, disk, "C:"));
    EXPECT_THAT(disk.lookups, ElementsAre("C:\\program files (x86)\\."));
}

TEST(Is64BitWindows, FailedQueryLooksAtNothing) {
    test::FakeSystemProbe probe;
    LookupRecorder disk;
    disk.existing = {"C:\\program files (x86)\\."};
    probe.version = {false, 2, 6, 1};
    EXPECT_FALSE(Is64BitWindows(probe, disk, "C:"));
    EXPECT_THAT(disk.lookups, IsEmpty());
}

TEST(Is64BitWindows, EmptySystemDriveLooksAtTheCurrentDrivesRoot) {
    test::FakeSystemProbe probe;
    LookupRecorder disk;
    disk.existing = {"\\program files (x86)\\."};
    EXPECT_TRUE(Is64BitWindows(probe, disk, ""));
    disk.existing.clear();
    EXPECT_FALSE(Is64BitWindows(probe, disk, ""));
    EXPECT_THAT(disk.lookups, ElementsAre("\\program files (x86)\\.", "\\program files (x86)\\."))
        << "asked afresh on every call";
}

}  // namespace
}  // namespace galemend
