// The file system of a Wine prefix read natively, in a fake prefix. What each test expects is
// what galemend3.exe's Win32 backend got from Wine 8.0 (Debian) in a real prefix on this
// machine for the same tree and calls; the surprising answers say so where they are tested.
#include "platform/prefix/PrefixFileSystem.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "FakePrefix.h"
#include "platform/RuntimeError.h"

namespace galemend {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

class PrefixFileSystemTest : public ::testing::Test {
  protected:
    PrefixFileSystem Open(std::string currentFolder = "C:\\") const {
        return PrefixFileSystem(prefix.Path(), std::move(currentFolder));
    }

    static ErrorNumber ErrorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const RuntimeError& error) {
            return error.Code();
        }
        ADD_FAILURE() << "no RuntimeError was thrown";
        return ErrorNumber::PathFileAccessError;
    }

    test::FakePrefix prefix;
};

TEST_F(PrefixFileSystemTest, DrivesAreTheLinksInDosdevices) {
    prefix.Write("Maps/a.galaxy", "on c");
    test::ScopedTempDir elsewhere;
    elsewhere.Write("d.galaxy", "on d");
    prefix.AddDrive('d', elsewhere.Host().string());
    const PrefixFileSystem fs = Open();
    EXPECT_EQ(fs.ReadFile("C:\\Maps\\a.galaxy"), "on c");
    EXPECT_EQ(fs.ReadFile("d:\\D.GALAXY"), "on d");
    std::string onZ = "Z:" + prefix.OnC("Maps/a.galaxy");
    std::replace(onZ.begin(), onZ.end(), '/', '\\');
    EXPECT_EQ(fs.ReadFile(onZ), "on c");
    EXPECT_EQ(fs.WindowsPathOf(prefix.OnC("Maps/a.galaxy")), "C:\\Maps\\a.galaxy");
    EXPECT_EQ(fs.WindowsPathOf(elsewhere.Host().string() + "/d.galaxy"), "D:\\d.galaxy")
        << "the nearest drive root names a path, not z:";

    // Wine fails to find the first element in a drive with no link: for a file right in
    // its root that is the file (not found), deeper it is a folder (path not found).
    EXPECT_EQ(ErrorOf([&] { fs.ReadFile("Q:\\x.txt"); }), ErrorNumber::FileNotFound);
    EXPECT_EQ(ErrorOf([&] { Open().WriteFile("Q:\\x.txt", ""); }), ErrorNumber::FileNotFound);
    EXPECT_EQ(ErrorOf([&] { fs.ReadFile("Q:\\Maps\\x.txt"); }), ErrorNumber::PathNotFound);
    EXPECT_EQ(ErrorOf([&] { fs.ListFiles("Q:\\", "*"); }), ErrorNumber::PathNotFound);
    EXPECT_EQ(fs.FirstMatch("Q:\\*", EntryKinds::FilesAndFolders), "");
}

TEST_F(PrefixFileSystemTest, NamesMatchInAnyCaseTheSpellingOnDiskFirst) {
    prefix.Write("Maps/Sub/File.txt", "file");
    prefix.Write("Maps/a.txt", "lower");
    prefix.Write("Maps/A.TXT", "upper");
    prefix.Write("Maps/Карта.galaxy", "map");
    PrefixFileSystem fs = Open();
    EXPECT_EQ(fs.ReadFile("c:\\MAPS\\sub\\FILE.TXT"), "file");
    EXPECT_EQ(fs.ReadFile("C:\\Maps\\a.txt"), "lower");
    EXPECT_EQ(fs.ReadFile("C:\\Maps\\A.TXT"), "upper");
    EXPECT_EQ(FirstFile(fs, "C:\\Maps\\a.Txt"), "A.TXT") << "neither spelt so: Wine's first";
    EXPECT_EQ(FirstFile(fs, "C:\\maps\\КАРТА.GALAXY"), "Карта.galaxy");

    fs.WriteFile("C:\\maps\\SUB\\file.TXT", "written");
    EXPECT_EQ(prefix.Read("Maps/Sub/File.txt"), "written") << "the existing file, its name kept";
    EXPECT_THAT(fs.ListFiles("C:\\Maps\\Sub", "*"), ElementsAre("File.txt"));
}

TEST_F(PrefixFileSystemTest, HiddenAndSystemEntriesAreWinesOwn) {
    for (const char* name :
         {".dot", ".zero", "hidden", "system", "samba", "junk", "capital", "long", "plain"}) {
        prefix.Write(std::string("Maps/") + name, name);
    }
    prefix.SetDosAttributes("Maps/.zero", "0x0");
    prefix.SetDosAttributes("Maps/hidden", "0x2");
    prefix.SetDosAttributes("Maps/system", "0x4");
    prefix.SetDosAttributes("Maps/samba", std::string("0x22\0\x04\x00\x04\x00", 9));
    prefix.SetDosAttributes("Maps/junk", "2");
    prefix.SetDosAttributes("Maps/capital", "0X2");
    prefix.SetDosAttributes("Maps/long", "0x2" + std::string(70, ' '));
    prefix.Write("Maps/Folder/inside", "x");
    prefix.SetDosAttributes("Maps/Folder", "0x2");
    const PrefixFileSystem fs = Open();
    // Surprise: Wine 8 hides a dot name even when its stored attributes say 0x0.
    EXPECT_THAT(fs.ListFiles("C:\\Maps", "*"),
                UnorderedElementsAre("junk", "capital", "long", "plain"));
    EXPECT_THAT(fs.ListFolders("C:\\Maps"), IsEmpty());
    EXPECT_EQ(FirstFile(fs, "C:\\Maps\\hidden"), "");
    EXPECT_EQ(fs.FirstMatch("C:\\Maps\\Folder\\*", EntryKinds::FilesAndFolders), "..")
        << "\".\" is the hidden folder itself";
    EXPECT_EQ(fs.ReadFile("C:\\Maps\\hidden"), "hidden") << "hidden files still open";
}

TEST_F(PrefixFileSystemTest, FirstMatchIsTheFirstVisibleInWinesOrder) {
    for (const char* name : {"zz.galaxy", "_a.galaxy", "b.galaxy", "B.galaxy", "A.galaxy"}) {
        prefix.Write(std::string("Maps/") + name, name);
    }
    prefix.MakeFolder("Maps/Sub");
    prefix.SetDosAttributes("Maps/A.galaxy", "0x2");
    const PrefixFileSystem fs = Open();
    EXPECT_EQ(FirstFile(fs, "C:\\Maps\\*.galaxy"), "B.galaxy") << "\"_\" sorts after letters";
    EXPECT_EQ(fs.FirstMatch("C:\\Maps\\*", EntryKinds::FilesAndFolders), ".");
    EXPECT_EQ(fs.FirstMatch("C:\\Maps\\S*", EntryKinds::FilesAndFolders), "Sub");
    EXPECT_EQ(fs.FirstMatch("C:\\*", EntryKinds::FilesAndFolders), "Maps")
        << "no \".\" or \"..\" at a drive's root";

    // Wine never lists the prefix itself, though its path still opens.
    const std::filesystem::path prefixPath(prefix.Path());
    const std::string parent = fs.WindowsPathOf(prefixPath.parent_path().string());
    const std::string name = prefixPath.filename().string();
    EXPECT_EQ(fs.FirstMatch(parent + "\\" + name, EntryKinds::FilesAndFolders), "");
    EXPECT_EQ(fs.FirstMatch(parent + "\\" + name + "\\drive_c", EntryKinds::FilesAndFolders),
              "drive_c");
}

TEST_F(PrefixFileSystemTest, ShortNamesMatchMasksAndOpenFiles) {
    for (const char* name : {"c10.txt~", "c2.txt", "Spiral.galaxy", "map.galaxy1"}) {
        prefix.Write(std::string("Maps/") + name, name);
    }
    const PrefixFileSystem fs = Open();
    EXPECT_THAT(fs.ListFiles("C:\\Maps", "c*.txt"), UnorderedElementsAre("c10.txt~", "c2.txt"))
        << "c10.txt~ is C10~~CTT.TXT";
    EXPECT_THAT(fs.ListFiles("C:\\Maps", "*.galaxy"), ElementsAre("Spiral.galaxy"))
        << "a short extension never matches .galaxy";
    EXPECT_EQ(fs.ReadFile("C:\\Maps\\spir~w1b.gal"), "Spiral.galaxy");
}

TEST_F(PrefixFileSystemTest, ConvertingManyMapsReadsTheirFolderOnce) {
    constexpr int kMaps = 500;
    for (int i = 0; i < kMaps; ++i) {
        prefix.Write("Maps/Map" + std::to_string(i) + ".galaxy", "map");
    }
    PrefixFileSystem fs = Open();
    for (const std::string& name : fs.ListFiles("C:\\Maps", "*.galaxy")) {
        const std::string map = "C:\\Maps\\" + name;
        const std::string stem = map.substr(0, map.size() - 3);
        ASSERT_EQ(FirstFile(fs, map), name);
        ASSERT_EQ(FirstFile(fs, stem + "old"), "");
        fs.Rename(map, stem + "old");
        fs.WriteFile(map, fs.ReadFile(stem + "old") + "converted");
        ASSERT_EQ(FirstFile(fs, stem + "fix"), "");
    }
    fs.Remove("C:\\Maps\\Map7.galold");
    EXPECT_EQ(fs.FoldersListed(), 1u);
    // What it kept is what a fresh look at the disk sees.
    const PrefixFileSystem fresh = Open();
    for (const char* pattern : {"*.galaxy", "*.galold", "map7.*"}) {
        auto kept = fs.ListFiles("C:\\Maps", pattern);
        auto read = fresh.ListFiles("C:\\Maps", pattern);
        std::sort(kept.begin(), kept.end());
        std::sort(read.begin(), read.end());
        EXPECT_EQ(kept, read) << pattern;
    }
    EXPECT_EQ(prefix.Read("Maps/Map499.galaxy"), "mapconverted");
}

TEST_F(PrefixFileSystemTest, FailuresGiveTheNumbersOfTheWin32Backend) {
    prefix.Write("Maps/a.galaxy", "a");
    prefix.Write("Maps/b.galaxy", "b");
    prefix.Write("Maps/locked.galaxy", "ro");
    ::chmod(prefix.OnC("Maps/locked.galaxy").c_str(), 0444);
    prefix.MakeFolder("Maps/Sub");
    PrefixFileSystem fs = Open("C:\\Maps\\");
    EXPECT_EQ(ErrorOf([&] { fs.ReadFile("missing.galaxy"); }), ErrorNumber::FileNotFound);
    EXPECT_EQ(ErrorOf([&] { fs.ReadFile("Nowhere\\a.galaxy"); }), ErrorNumber::PathNotFound);
    EXPECT_EQ(ErrorOf([&] { fs.ReadFile("Sub"); }), ErrorNumber::PermissionDenied);
    EXPECT_EQ(ErrorOf([&] { fs.WriteFile("Sub", "x"); }), ErrorNumber::PermissionDenied);
    EXPECT_EQ(ErrorOf([&] { fs.WriteFile("bad?.galaxy", "x"); }), ErrorNumber::BadFileName);
    EXPECT_EQ(ErrorOf([&] { fs.ListFiles("C:\\Maps\\a.galaxy", "*"); }), ErrorNumber::BadFileName)
        << "Wine 8 answers ERROR_INVALID_NAME for a file named as a folder";
    EXPECT_EQ(ErrorOf([&] { fs.Rename("a.galaxy", "B.GALAXY"); }), ErrorNumber::FileAlreadyExists);
    EXPECT_EQ(ErrorOf([&] { fs.Rename("a.galaxy", "Sub"); }), ErrorNumber::FileAlreadyExists);
    EXPECT_EQ(ErrorOf([&] { fs.Rename("gone.galaxy", "x.galaxy"); }), ErrorNumber::FileNotFound);
    EXPECT_EQ(ErrorOf([&] { fs.Remove("Sub"); }), ErrorNumber::PermissionDenied);
    // Wine refuses to delete a read-only file, though Unix would; renaming it works.
    EXPECT_EQ(ErrorOf([&] { fs.Remove("locked.galaxy"); }), ErrorNumber::PermissionDenied);
    EXPECT_TRUE(prefix.Exists("Maps/locked.galaxy"));
    fs.Rename("locked.galaxy", "locked.galold");

    fs.Rename("a.galaxy", "A.GALAXY");
    EXPECT_TRUE(prefix.Exists("Maps/a.galaxy")) << "a move onto itself changes nothing";
}

TEST_F(PrefixFileSystemTest, PathsAreMadeFullAsWineMakesThem) {
    prefix.Write("Maps/x.txt", "x");
    prefix.Write("Maps/dot./inside.txt", "in");
    const PrefixFileSystem fs = Open("C:\\Maps\\");
    EXPECT_EQ(fs.ReadFile("x.txt. "), "x") << "trailing dots and blanks are dropped";
    EXPECT_EQ(fs.ReadFile("..\\Maps\\.\\x.txt"), "x");
    EXPECT_EQ(ErrorOf([&] { fs.ReadFile("dot.\\inside.txt"); }), ErrorNumber::PathNotFound);
    EXPECT_EQ(fs.ReadFile("dot..\\inside.txt"), "in");

    EXPECT_EQ(fs.WindowsPathOf(prefix.OnC("Maps")), "C:\\Maps");
    EXPECT_EQ(fs.WindowsPathOf(prefix.Path() + "/drive_c/"), "C:\\");
    EXPECT_EQ(fs.WindowsPathOf("/tmp/../tmp"), "Z:\\tmp");
    EXPECT_EQ(fs.UnixPathOf("c:\\MAPS\\X.TXT"), prefix.Path() + "/dosdevices/c:/Maps/x.txt");
    EXPECT_EQ(fs.UnixPathOf("C:\\Maps\\new.txt"), prefix.Path() + "/dosdevices/c:/Maps/new.txt");
    EXPECT_EQ(fs.UnixPathOf("Z:\\tmp"), "/tmp");
    EXPECT_EQ(PrefixFileSystem(prefix.Path(), "Z:\\tmp").CurrentFolder(), "Z:\\tmp\\");
}

TEST_F(PrefixFileSystemTest, DosDevicesAnswerForThemselves) {
    prefix.MakeFolder("Maps");
    PrefixFileSystem fs = Open();
    EXPECT_EQ(FirstFile(fs, "C:\\Maps\\con.galaxy"), "con");
    EXPECT_EQ(FirstFile(fs, "C:\\Nowhere\\con.galaxy"), "");
    EXPECT_EQ(fs.ReadFile("C:\\Maps\\nul.galaxy"), "");
    fs.WriteFile("C:\\Maps\\NUL.txt", "discarded");
    EXPECT_FALSE(prefix.Exists("Maps/NUL.txt"));
}

}  // namespace
}  // namespace galemend
