// The search with drive-letter paths, through the POSIX backend's drive map (native only;
// under Wine the same walk runs on the real disk in FindGalaxiesTest).
#ifndef _WIN32
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SearchHarness.h"
#include "platform/posix/PosixFileSystem.h"
#include "support/ScopedTempDir.h"

namespace galemend {
namespace {

using ::testing::ElementsAre;

class DriveLetterSearch : public ::testing::Test {
  protected:
    test::ScopedTempDir drive;
    PosixFileSystem fs{{{'C', drive.Host().string()}}};
    test::SearchHarness form{fs};
};

TEST_F(DriveLetterSearch, ExampleTreeGivesTheDocumentedPaths) {
    drive.Write("M/b.galaxy", "b");
    drive.Write("M/A.galaxy", "A");
    drive.Write("M/Sub/x.galaxy", "x");
    drive.Write("M/Sub/Deep/y.galaxy", "y");
    for (const char* start : {"C:\\M", "C:\\M\\"}) {
        ASSERT_TRUE(form.Find({start, ""}));
        EXPECT_THAT(form.state.galaxyList,
                    ElementsAre("C:\\M\\Sub\\Deep\\y.galaxy", "C:\\M\\Sub\\x.galaxy",
                                "C:\\M\\A.galaxy", "C:\\M\\b.galaxy", ""))
            << "start folder " << start;
        EXPECT_EQ(form.Dir1.Path(), "C:\\");
    }
}

TEST_F(DriveLetterSearch, FilesInTheDriveRootGetOneBackslash) {
    drive.Write("root.galaxy", "r");
    drive.Write("Maps/inner.galaxy", "i");
    ASSERT_TRUE(form.Find({"C:\\", "C:"}));
    EXPECT_THAT(form.state.galaxyList,
                ElementsAre("C:\\Maps\\inner.galaxy", "C:\\root.galaxy", "C:\\Maps\\inner.galaxy",
                            "C:\\root.galaxy", ""));
    EXPECT_EQ(form.Dir1.Path(), "C:\\") << "the root is its own parent";
    EXPECT_EQ(form.Text1.Text(), "inner.galaxy\r\nroot.galaxy\r\ninner.galaxy\r\nroot.galaxy\r\n");
}

TEST_F(DriveLetterSearch, AnUnmappedDriveFindsNothing) {
    drive.Write("M/a.galaxy", "a");
    ASSERT_TRUE(form.Find({"Q:\\Maps", "C:\\M"}));
    EXPECT_THAT(form.state.galaxyList, ElementsAre("C:\\M\\a.galaxy", ""));
}

}  // namespace
}  // namespace galemend
#endif
