// The folder list (Dir1) and file list (File1) over the real disk: POSIX natively, Win32
// under Wine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "controls/Lists.h"
#include "platform/RuntimeError.h"
#include "support/HostFileSystem.h"
#include "support/ScopedTempDir.h"

#ifndef _WIN32
#include "platform/posix/PosixFileSystem.h"
#endif

namespace galemend {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Entries(const FolderList& list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list.ListCount(); ++i) {
        entries.push_back(list.List(i));
    }
    return entries;
}

std::vector<std::string> Names(const FileList& list) {
    std::vector<std::string> names;
    for (int i = 0; i < list.ListCount(); ++i) {
        names.push_back(list.List(i));
    }
    return names;
}

ErrorNumber ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const RuntimeError& error) {
        return error.Code();
    }
    ADD_FAILURE() << "no RuntimeError was thrown";
    return ErrorNumber::PathFileAccessError;
}

class ListsOnDisk : public ::testing::Test {
  protected:
    test::ScopedTempDir dir;
    std::unique_ptr<FileSystem> fs = test::MakeHostFileSystem();
};

TEST_F(ListsOnDisk, FolderListShowsVisibleSubfoldersByNameIgnoringCase) {
    dir.MakeFolder("M/beta");
    dir.MakeFolder("M/Alpha");
    dir.MakeFolder("M/gamma.galaxy");
    dir.MakeFolder("M/_under");
    dir.MakeFolder("M/.hidden");
    dir.MakeHidden("M/.hidden");
    dir.Write("M/Alpha.galaxy", "a file, not a folder");

    FolderList dir1(*fs);
    EXPECT_EQ(dir1.Path(), "");
    EXPECT_EQ(dir1.ListCount(), 0);
    dir1.SetPath(dir.Path("M"));
    EXPECT_EQ(dir1.Path(), dir.Path("M"));
    EXPECT_THAT(Entries(dir1), ElementsAre(dir.Path("M\\_under"), dir.Path("M\\Alpha"),
                                           dir.Path("M\\beta"), dir.Path("M\\gamma.galaxy")));
    EXPECT_EQ(dir1.List(dir1.ListCount()), "") << "the entry after the last is empty";
    EXPECT_EQ(dir1.List(-1), "");

    dir1.SetPath(dir.Path("M\\beta\\"));
    EXPECT_EQ(dir1.Path(), dir.Path("M\\beta")) << "the trailing backslash is dropped";
    EXPECT_EQ(dir1.ListCount(), 0);
}

TEST_F(ListsOnDisk, FolderListKeepsItsFolderWhenTheNewOneIsMissing) {
    dir.MakeFolder("M/Sub");
    dir.Write("M/file.galaxy", "x");
    FolderList dir1(*fs);
    dir1.SetPath(dir.Path("M"));
    int changes = 0;
    dir1.OnChange([&] { ++changes; });

    EXPECT_EQ(ErrorOf([&] { dir1.SetPath(dir.Path("missing")); }), ErrorNumber::PathNotFound);
    EXPECT_EQ(ErrorOf([&] { dir1.SetPath(dir.Path("missing\\deeper")); }),
              ErrorNumber::PathNotFound);
    EXPECT_EQ(ErrorOf([&] { dir1.SetPath(dir.Path("M\\file.galaxy")); }),
              ErrorNumber::PathNotFound);
    EXPECT_EQ(ErrorOf([&] { dir1.SetPath(""); }), ErrorNumber::PathNotFound);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(dir1.Path(), dir.Path("M"));
    EXPECT_THAT(Entries(dir1), ElementsAre(dir.Path("M\\Sub")));

    // Setting a folder lists it afresh and tells the observers, even when it is the same.
    dir.MakeFolder("M/Added");
    dir1.SetPath(dir.Path("M"));
    EXPECT_EQ(changes, 1);
    EXPECT_THAT(Entries(dir1), ElementsAre(dir.Path("M\\Added"), dir.Path("M\\Sub")));
}

TEST_F(ListsOnDisk, FileListShowsMatchingVisibleFilesByNameIgnoringCase) {
    dir.Write("M/b.galaxy", "b");
    dir.Write("M/MAP.GALAXY", "m");
    dir.Write("M/a.Galaxy", "a");
    dir.Write("M/a.galold", "kept copy");
    dir.Write("M/a.galfix", "fix copy");
    dir.Write("M/a.galaxy.txt", "other");
    dir.Write("M/.secret.galaxy", "hidden");
    dir.MakeHidden("M/.secret.galaxy");
    dir.MakeFolder("M/folder.galaxy");

    FileList file1(*fs, "*.galaxy");
    int changes = 0;
    file1.OnChange([&] { ++changes; });
    file1.SetPath(dir.Path("M\\"));
    EXPECT_EQ(file1.Path(), dir.Path("M"));
    EXPECT_THAT(Names(file1), ElementsAre("a.Galaxy", "b.galaxy", "MAP.GALAXY"));
    EXPECT_EQ(file1.List(3), "");

    file1.SetPattern("*.GALOLD");
    EXPECT_THAT(Names(file1), ElementsAre("a.galold"));
    file1.SetPattern("*.GALOLD");
    EXPECT_EQ(changes, 2) << "setting the pattern in use lists nothing again";

    EXPECT_EQ(ErrorOf([&] { file1.SetPath(dir.Path("missing")); }), ErrorNumber::PathNotFound);
    EXPECT_EQ(file1.Path(), dir.Path("M"));
    EXPECT_EQ(file1.ListCount(), 1);
}

TEST_F(ListsOnDisk, FileListWithoutAFolderListsNothing) {
    FileList file1(*fs);
    EXPECT_EQ(file1.Pattern(), "*.*");
    file1.SetPattern("*.galaxy");
    EXPECT_EQ(file1.Path(), "");
    EXPECT_EQ(file1.ListCount(), 0);
}

#ifndef _WIN32
// Drive letters exist only through the POSIX backend's drive map natively.
TEST_F(ListsOnDisk, DriveRootKeepsItsBackslash) {
    dir.MakeFolder("Maps");
    dir.Write("root.galaxy", "r");
    PosixFileSystem drives({{'C', dir.Host().string()}});
    FolderList dir1(drives);
    FileList file1(drives, "*.galaxy");

    dir1.SetPath("C:");
    EXPECT_EQ(dir1.Path(), "C:\\");
    dir1.SetPath("C:\\Maps\\");
    EXPECT_EQ(dir1.Path(), "C:\\Maps");
    dir1.SetPath("C:\\");
    EXPECT_EQ(dir1.Path(), "C:\\");
    EXPECT_THAT(Entries(dir1), ElementsAre("C:\\Maps"));

    file1.SetPath("C:\\");
    EXPECT_EQ(file1.Path(), "C:\\");
    EXPECT_THAT(Names(file1), ElementsAre("root.galaxy"));
}
#endif

}  // namespace
}  // namespace galemend
