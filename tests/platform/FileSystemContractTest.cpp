// Behaviour every FileSystem backend shares. The same tests run natively against the
// POSIX backend and the Wine prefix backend (through a fake prefix's z: drive), and under
// Wine against the Win32 backend.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/RuntimeError.h"
#include "support/HostFileSystem.h"
#ifndef _WIN32
#include "FakePrefix.h"
#include "platform/prefix/PrefixFileSystem.h"
#endif
#include "support/ScopedTempDir.h"
#include "text/Text.h"

namespace galemend {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

enum class Backend { Host, Prefix };

class FileSystemContract : public ::testing::TestWithParam<Backend> {
  protected:
    void SetUp() override {
#ifndef _WIN32
        if (GetParam() == Backend::Prefix) {
            prefix = std::make_unique<test::FakePrefix>();
            fs = std::make_unique<PrefixFileSystem>(prefix->Path());
        }
#endif
    }

    test::ScopedTempDir dir;
    std::unique_ptr<FileSystem> fs = test::MakeHostFileSystem();
#ifndef _WIN32
    std::unique_ptr<test::FakePrefix> prefix;
#endif

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

TEST_P(FileSystemContract, ReadsAndWritesRawBytes) {
    const std::string bytes("a\r\nb\0c\xff\n", 9);
    fs->WriteFile(dir.Path("raw.bin"), bytes);
    EXPECT_EQ(dir.Read("raw.bin"), bytes);
    EXPECT_EQ(fs->ReadFile(dir.Path("raw.bin")), bytes);

    fs->WriteFile(dir.Path("raw.bin"), "short");
    EXPECT_EQ(fs->ReadFile(dir.Path("raw.bin")), "short") << "writing replaces the old content";
    fs->WriteFile(dir.Path("empty.txt"), "");
    EXPECT_EQ(fs->ReadFile(dir.Path("empty.txt")), "");
}

TEST_P(FileSystemContract, ReadingOrWritingWhereNothingIsThrows) {
    EXPECT_THROW(fs->ReadFile(dir.Path("missing.txt")), RuntimeError);
    EXPECT_THROW(fs->WriteFile(dir.Path("no folder\\x.txt"), "x"), RuntimeError);
    dir.MakeFolder("folder");
    EXPECT_THROW(fs->ReadFile(dir.Path("folder")), RuntimeError);
}

TEST_P(FileSystemContract, RenameNeverReplacesAnExistingFile) {
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

TEST_P(FileSystemContract, RemoveDeletesOneFile) {
    dir.Write("x.txt", "x");
    fs->Remove(dir.Path("x.txt"));
    EXPECT_FALSE(dir.Exists("x.txt"));
    EXPECT_THROW(fs->Remove(dir.Path("x.txt")), RuntimeError);
}

TEST_P(FileSystemContract, FirstMatchFindsOrdinaryFilesByPatternIgnoringCase) {
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

TEST_P(FileSystemContract, FirstMatchWithFoldersAnswersForTheFolderItself) {
    dir.MakeFolder("Game");
    dir.Write("plain.txt", "x");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Game\\."), EntryKinds::FilesAndFolders), "Game");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Missing\\."), EntryKinds::FilesAndFolders), "");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Game"), EntryKinds::FilesAndFolders), "Game");
    EXPECT_EQ(fs->FirstMatch(dir.Path("plain.txt"), EntryKinds::FilesAndFolders), "plain.txt");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Missing\\Deeper\\."), EntryKinds::FilesAndFolders), "");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Game\\."), EntryKinds::FilesOnly), "");
}

TEST_P(FileSystemContract, HiddenEntriesNeverCount) {
    dir.Write(".secret.galaxy", "x");
    dir.MakeHidden(".secret.galaxy");
    dir.MakeFolder(".hidden");
    dir.MakeHidden(".hidden");
    EXPECT_EQ(fs->FirstMatch(dir.Path("*.galaxy"), EntryKinds::FilesOnly), "");
    EXPECT_EQ(fs->FirstMatch(dir.Path(".hidden"), EntryKinds::FilesAndFolders), "");
    EXPECT_THAT(fs->ListFolders(dir.Path()), IsEmpty());
    EXPECT_THAT(fs->ListFiles(dir.Path(), "*.galaxy"), IsEmpty());
}

#ifdef _WIN32
// The POSIX host has no system attribute.
TEST_P(FileSystemContract, SystemEntriesNeverCount) {
    dir.Write("Maps/System.galaxy", "x");
    dir.MakeSystem("Maps/System.galaxy");
    dir.MakeFolder("Maps/Sub");
    dir.MakeSystem("Maps/Sub");
    EXPECT_EQ(FirstFile(*fs, dir.Path("Maps\\System.galaxy")), "");
    EXPECT_EQ(fs->FirstMatch(dir.Path("Maps\\S*"), EntryKinds::FilesAndFolders), "");
    EXPECT_THAT(fs->ListFiles(dir.Path("Maps"), "*.galaxy"), IsEmpty());
    EXPECT_THAT(fs->ListFolders(dir.Path("Maps")), IsEmpty());
}
#endif

// Names in no ANSI code page: Chinese and Cyrillic together.
TEST_P(FileSystemContract, NamesOutsideTheCodePageWorkEverywhere) {
    const std::string folder = dir.Path("星海 Corvane");
    dir.Write("星海 Corvane/Карта.galaxy", "map");
    dir.MakeFolder("星海 Corvane/Ёлка");
    EXPECT_THAT(fs->ListFolders(dir.Path()), ElementsAre("星海 Corvane"));
    EXPECT_THAT(fs->ListFolders(folder), ElementsAre("Ёлка"));
    EXPECT_THAT(fs->ListFiles(folder, "*.galaxy"), ElementsAre("Карта.galaxy"));
    EXPECT_EQ(FirstFile(*fs, folder + "\\карта.GALAXY"), "Карта.galaxy");
    EXPECT_EQ(fs->ReadFile(folder + "\\Карта.galaxy"), "map");
    EXPECT_TRUE(FolderExists(*fs, folder + "\\Ёлка\\."));

    fs->WriteFile(folder + "\\Ёлка\\Ω.galaxy", "new");
    EXPECT_EQ(dir.Read("星海 Corvane/Ёлка/Ω.galaxy"), "new");
    fs->Rename(folder + "\\Карта.galaxy", folder + "\\Карта.galold");
    EXPECT_EQ(dir.Read("星海 Corvane/Карта.galold"), "map");
    fs->Remove(folder + "\\Карта.galold");
    EXPECT_FALSE(dir.Exists("星海 Corvane/Карта.galold"));
}

// Deeper than the classic limit of 260 characters.
TEST_P(FileSystemContract, PathsLongerThanMaxPathWork) {
    std::string relative = "Long";
    for (int level = 0; level < 6; ++level) {
        relative += "/" + std::string(50, static_cast<char>('a' + level));
    }
    dir.MakeFolder(relative);
    std::string deep = dir.Path(relative);
    ASSERT_GT(deep.size(), 300u);
    EXPECT_TRUE(FolderExists(*fs, deep + "\\."));
    fs->WriteFile(deep + "\\Deep.galaxy", "deep");
    EXPECT_EQ(fs->ReadFile(deep + "\\Deep.galaxy"), "deep");
    EXPECT_EQ(FirstFile(*fs, deep + "\\*.galaxy"), "Deep.galaxy");
    EXPECT_THAT(fs->ListFiles(deep, "*.galaxy"), ElementsAre("Deep.galaxy"));
    EXPECT_THAT(fs->ListFolders(ParentFolder(deep)), ElementsAre(std::string(50, 'f')));
    fs->Rename(deep + "\\Deep.galaxy", deep + "\\Deep.galold");
    EXPECT_EQ(FirstFile(*fs, deep + "\\Deep.galold"), "Deep.galold");
    fs->Remove(deep + "\\Deep.galold");
    EXPECT_EQ(FirstFile(*fs, deep + "\\*"), "");
}

// Natively the port orders names by the text rule; under Wine by CompareStringW, which must
// agree with it for the letters of the code pages the program meets.
TEST_P(FileSystemContract, OrdersNamesAsTheTextRuleDoes) {
    const std::vector<std::string> names = {
        "Zeta",   "карта", "étoile", "Карта", "Etoile", "co-op",   "1x",    "coop",     "Anders",
        "Ändern", "Łódź",  "Lz",     "_x",    "Straße", "Strasse", "Ωμέγα", "ωμεγα",    "Ёлка",
        "Жук",    "Ґанок", "Гуси",   "Йод",   "Иоф",    "Ａｂｃ",  "abd",   "Ødegaard", "Olsen",
        "Čapek",  "Cyril", "Ďábel",  "Dz",    "Šárka",  "Sz",      "Ÿves",  "yz"};
    std::vector<std::string> bySystem = names;
    SortNamesIgnoringCase(
        bySystem, [&](std::string_view a, std::string_view b) { return fs->CompareNames(a, b); });
    std::vector<std::string> byText = names;
    SortNamesIgnoringCase(byText);
    EXPECT_EQ(bySystem, byText);
}

TEST_P(FileSystemContract, ListsSubfoldersAndMatchingFiles) {
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

TEST_P(FileSystemContract, ListingAMissingFolderThrowsNotFound) {
    // The search passes over a folder in silence only on these two errors.
    const auto notFound = [](ErrorNumber code) {
        return code == ErrorNumber::FileNotFound || code == ErrorNumber::PathNotFound;
    };
    EXPECT_TRUE(notFound(ErrorOf([&] { fs->ListFolders(dir.Path("Missing")); })));
    EXPECT_TRUE(notFound(ErrorOf([&] { fs->ListFiles(dir.Path("Missing"), "*.galaxy"); })));
    EXPECT_TRUE(notFound(ErrorOf([&] { fs->ListFolders(dir.Path("Missing\\Deeper")); })));
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Backends, FileSystemContract, ::testing::Values(Backend::Host));
#else
INSTANTIATE_TEST_SUITE_P(Backends, FileSystemContract,
                         ::testing::Values(Backend::Host, Backend::Prefix), [](const auto& info) {
                             return info.param == Backend::Host ? "Host" : "Prefix";
                         });
#endif

}  // namespace
}  // namespace galemend
