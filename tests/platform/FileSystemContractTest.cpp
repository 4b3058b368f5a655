// Behaviour every FileSystem backend shares. The same tests run natively against the
// POSIX backend and under Wine against the Win32 backend.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/RuntimeError.h"
#include "support/HostFileSystem.h"
#include "support/ScopedTempDir.h"

namespace galemend {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class FileSystemContract : public ::testing::Test {
  protected:
    test::ScopedTempDir dir;
    std::unique_ptr<FileSystem> fs = test::MakeHostFileSystem();

    ErrorNumber ErrorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const RuntimeError& error) {
            return error.Code();
        }
        ADD_FAILURE() << "no RuntimeError was thrown";
        return ErrorNumber::PathFileAccessError;
    }
};

TEST_F(FileSystemContract, ReadsAndWritesRawBytes) {
    const std::string bytes("a\r\nb\0c\xff\n", 9);
    fs->WriteFile(dir.Path("raw.bin"), bytes);
    EXPECT_EQ(dir.Read("raw.bin"), bytes);
    EXPECT_EQ(fs->ReadFile(dir.Path("raw.bin")), bytes);

    fs->WriteFile(dir.Path("raw.bin"), "short");
    EXPECT_EQ(fs->ReadFile(dir.Path("raw.bin")), "short") << "writing replaces the old content";
    fs->WriteFile(dir.Path("empty.txt"), "");
    EXPECT_EQ(fs->ReadFile(dir.Path("empty.txt")), "");
}

TEST_F(FileSystemContract, ReadingOrWritingWhereNothingIsThrows) {
    EXPECT_THROW(fs->ReadFile(dir.Path("missing.txt")), RuntimeError);
    EXPECT_THROW(fs->WriteFile(dir.Path("no folder\\x.txt"), "x"), RuntimeError);
    dir.MakeFolder("folder");
    EXPECT_THROW(fs->ReadFile(dir.Path("folder")), RuntimeError);
}

TEST_F(FileSystemContract, RenameNeverReplacesAnExistingFile) {
    dir.Write("a.galaxy", "map");
    dir.Write("a.galold", "kept");
    EXPECT_EQ(ErrorOf([&] { fs->Rename(dir.Path("a.galaxy"), dir.Path("a.galold")); }),
              ErrorNumber::FileAlreadyExists);
    EXPECT_EQ(dir.Read("a.galaxy"), "map");
    EXPECT_EQ(dir.Read("a.galold"), "kept");

    fs->Rename(dir.Path("a.galaxy"), dir.Path("a.galfix"));
    EXPECT_FALSE(dir.Exists("a.galaxy"));
    EXPECT_EQ(dir.Read("a.galfix"), "map");
    EXPECT_THROW(fs->Rename(dir.Path("a.galaxy"), dir.Path("b.galaxy")), RuntimeError);
}

TEST_F(FileSystemContract, RemoveDeletesOneFile) {
    dir.Write("x.txt", "x");
    fs->Remove(dir.Path("x.txt"));
    EXPECT_FALSE(dir.Exists("x.txt"));
    EXPECT_THROW(fs->Remove(dir.Path("x.txt")), RuntimeError);
}

TEST_F(FileSystemContract, FirstMatchFindsOrdinaryFilesByPatternIgnoringCase) {
    dir.Write("Maps/Spiral.GALAXY", "x");
    dir.MakeFolder("Maps/Sub.galaxy");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Maps\\*.galaxy"), EntryKinds::FilesOnly), "Spiral.GALAXY");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Maps\\spiral.galaxy"), EntryKinds::FilesOnly),
              "Spiral.GALAXY");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Maps\\"), EntryKinds::FilesOnly), "Spiral.GALAXY")
        << "a path ending in a backslash matches the folder's files";
    EXPECT_EQ(fs->FirstMatch(dir.Path("Maps"), EntryKinds::FilesOnly), "")
        << "a folder named without a backslash is no file";
    EXPECT_EQ(fs->FirstMatch(dir.Path("Maps\\*.txt"), EntryKinds::FilesOnly), "");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Nowhere\\*"), EntryKinds::FilesOnly), "");
}

TEST_F(FileSystemContract, FirstMatchWithFoldersAnswersForTheFolderItself) {
    dir.MakeFolder("Game");
    dir.Write("plain.txt", "x");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Game\\."), EntryKinds::FilesAndFolders), "Game");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Missing\\."), EntryKinds::FilesAndFolders), "");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Game"), EntryKinds::FilesAndFolders), "Game");
    EXPECT_EQ(fs->FirstMatch(dir.Path("plain.txt"), EntryKinds::FilesAndFolders), "plain.txt");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Missing\\Deeper\\."), EntryKinds::FilesAndFolders), "");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Game\\."), EntryKinds::FilesOnly), "");
}

TEST_F(FileSystemContract, HiddenEntriesNeverCount) {
    dir.Write(".secret.galaxy", "x");
    dir.MakeHidden(".secret.galaxy");
    dir.MakeFolder(".hidden");
    dir.MakeHidden(".hidden");
    EXPECT_EQ(fs->FirstMatch(dir.Path("*.galaxy"), EntryKinds::FilesOnly), "");
    EXPECT_EQ(fs->FirstMatch(dir.Path(".hidden"), EntryKinds::FilesAndFolders), "");
    EXPECT_THAT(fs->ListFolders(dir.Path()), IsEmpty());
    EXPECT_THAT(fs->ListFiles(dir.Path(), "*.galaxy"), IsEmpty());
}

TEST_F(FileSystemContract, ListsSubfoldersAndMatchingFiles) {
    dir.MakeFolder("Root/beta");
    dir.MakeFolder("Root/Alpha");
    dir.Write("Root/b.galaxy", "");
    dir.Write("Root/A.GALAXY", "");
    dir.Write("Root/A.galold", "");
    dir.Write("Root/notes.txt", "");
    EXPECT_THAT(fs->ListFolders(dir.Path("Root")), UnorderedElementsAre("Alpha", "beta"));
    EXPECT_THAT(fs->ListFolders(dir.Path("Root\\")), UnorderedElementsAre("Alpha", "beta"));
    EXPECT_THAT(fs->ListFiles(dir.Path("Root"), "*.galaxy"),
                UnorderedElementsAre("A.GALAXY", "b.galaxy"));
    EXPECT_THAT(fs->ListFolders(dir.Path("Root\\Alpha")), IsEmpty());
    EXPECT_THAT(fs->ListFiles(dir.Path("Root\\Alpha"), "*.galaxy"), IsEmpty());
}

TEST_F(FileSystemContract, ListingAMissingFolderThrowsNotFound) {
    // The search passes over a folder in silence only on these two errors.
    const auto notFound = [](ErrorNumber code) {
        return code == ErrorNumber::FileNotFound || code == ErrorNumber::PathNotFound;
    };
    EXPECT_TRUE(notFound(ErrorOf([&] { fs->ListFolders(dir.Path("Missing")); })));
    EXPECT_TRUE(notFound(ErrorOf([&] { fs->ListFiles(dir.Path("Missing"), "*.galaxy"); })));
    EXPECT_TRUE(notFound(ErrorOf([&] { fs->ListFolders(dir.Path("Missing\\Deeper")); })));
}

}  // namespace
}  // namespace galemend
