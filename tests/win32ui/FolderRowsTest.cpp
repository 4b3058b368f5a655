// The rows the folder list shows for a current folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ui/WindowDesign.h"

namespace galemend {
namespace {

using ::testing::ElementsAre;

TEST(FolderRows, PathFromTheRootThenTheSubfolders) {
    const FolderRows shown =
        MakeFolderRows("C:\\Games\\Corv", {"C:\\Games\\Corv\\maps", "C:\\Games\\Corv\\Saves"});
    EXPECT_THAT(shown.rows, ElementsAre(FolderRow{"C:\\", 0, "C:\\", true},
                                        FolderRow{"Games", 1, "C:\\Games", true},
                                        FolderRow{"Corv", 2, "C:\\Games\\Corv", true},
                                        FolderRow{"maps", 3, "C:\\Games\\Corv\\maps", false},
                                        FolderRow{"Saves", 3, "C:\\Games\\Corv\\Saves", false}));
    EXPECT_EQ(shown.current, 2);
}

TEST(FolderRows, DriveRootIsTheCurrentRow) {
    const FolderRows shown = MakeFolderRows("D:\\", {"D:\\Maps"});
    EXPECT_THAT(shown.rows, ElementsAre(FolderRow{"D:\\", 0, "D:\\", true},
                                        FolderRow{"Maps", 1, "D:\\Maps", false}));
    EXPECT_EQ(shown.current, 0);
}

TEST(FolderRows, NetworkShareIsOneRoot) {
    const FolderRows shown = MakeFolderRows("\\\\server\\share\\maps", {});
    EXPECT_THAT(shown.rows,
                ElementsAre(FolderRow{"\\\\server\\share", 0, "\\\\server\\share", true},
                            FolderRow{"maps", 1, "\\\\server\\share\\maps", true}));
    EXPECT_EQ(shown.current, 1);
}

TEST(FolderRows, NoFolderNoRows) {
    const FolderRows shown = MakeFolderRows("", {});
    EXPECT_TRUE(shown.rows.empty());
    EXPECT_EQ(shown.current, -1);
}

}  // namespace
}  // namespace galemend
