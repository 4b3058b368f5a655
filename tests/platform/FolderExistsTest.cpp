// FolderExists on the real disk: natively on the POSIX backend, under Wine on the Win32 one.
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include "support/HostFileSystem.h"
#include "support/ScopedTempDir.h"

namespace galemend {
namespace {

class FolderExistsTest : public ::testing::Test {
  protected:
    test::ScopedTempDir dir;
    std::unique_ptr<FileSystem> fs = test::MakeHostFileSystem();
};

TEST_F(FolderExistsTest, FolderNamedThroughItsDotEntryExistsExactlyWhenItDoes) {
    dir.MakeFolder("program files (x86)");
    EXPECT_TRUE(FolderExists(*fs, dir.Path("program files (x86)\\.")));
    EXPECT_TRUE(FolderExists(*fs, dir.Path("program files (x86)")));
    EXPECT_FALSE(FolderExists(*fs, dir.Path("Program Files\\.")));
    EXPECT_FALSE(FolderExists(*fs, dir.Path("Missing\\Program Files (x86)\\.")));
}

TEST_F(FolderExistsTest, AnOrdinaryFileCountsToo) {
    dir.Write("Corvane Expanse.exe", "MZ");
    EXPECT_TRUE(FolderExists(*fs, dir.Path("Corvane Expanse.exe")));
}

TEST_F(FolderExistsTest, WildcardsMatchFoldersButNotHiddenOnes) {
    dir.MakeFolder("Games/Corvane");
    EXPECT_TRUE(FolderExists(*fs, dir.Path("Games\\Corv*")));
    dir.MakeFolder("Hidden/.Corvane");
    dir.MakeHidden("Hidden/.Corvane");
    EXPECT_FALSE(FolderExists(*fs, dir.Path("Hidden\\*Corv*")));
}

TEST_F(FolderExistsTest, FolderPathEndingInABackslashFindsAtLeastItsDotEntry) {
    dir.MakeFolder("Empty");
    EXPECT_TRUE(FolderExists(*fs, dir.Path("Empty\\")));
    EXPECT_FALSE(FolderExists(*fs, dir.Path("Missing\\")));
}

}  // namespace
}  // namespace galemend
