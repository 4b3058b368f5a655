// What the window's clicks, drive picks and folder double-clicks do to Form1.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include "support/FakeSystemProbe.h"
#include "support/HostFileSystem.h"
#include "support/ScopedTempDir.h"
#include "ui/Form1.h"
#include "ui/WindowDesign.h"

#ifndef _WIN32
#include "platform/posix/PosixFileSystem.h"
#endif

namespace galemend::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class WindowHandlers : public ::testing::Test {
  protected:
    WindowHandlers() {
        dir.Write("user/mine.galaxy", "m");
        dir.Write("user/notes.txt", "n");
        dir.MakeFolder("user/sub");
        form.controls.File1.SetPattern("*.galaxy");
        form.controls.Dir1.SetPath(dir.Path());
    }

    ScopedTempDir dir;
    FakeSystemProbe probe;
    FakeHost host;
    std::unique_ptr<FileSystem> fs = MakeHostFileSystem();
    Form1 form{probe, host, *fs};
};

TEST_F(WindowHandlers, ButtonClickRunsItsHandler) {
    form.installation.pathlist[0] = dir.Path("user");
    EXPECT_TRUE(ClickButton(form, control_id::Command(5)));
    EXPECT_EQ(form.controls.Dir1.Path(), dir.Path("user"));
    EXPECT_EQ(form.controls.File1.Path(), dir.Path("user")) << "File1 follows Dir1";
    EXPECT_EQ(form.controls.File1.ListCount(), 1);
    EXPECT_EQ(form.controls.File1.List(0), "mine.galaxy");
}

TEST_F(WindowHandlers, ExitEndsTheProgramNormally) {
    try {
        ClickButton(form, control_id::Command(3));
        FAIL() << "exit returned";
    } catch (const ProcessTerminated& ended) {
        EXPECT_EQ(ended.exitStatus, 0u);
    }
}

TEST_F(WindowHandlers, DisabledButtonsAndOtherControlsRunNothing) {
    ASSERT_FALSE(form.controls.Command6.Enabled());
    EXPECT_FALSE(ClickButton(form, control_id::Command(6)));
    EXPECT_EQ(form.installation.editionLetter, "") << "no edition was chosen";

    form.controls.Command3.SetEnabled(false);  // as in a silent run
    EXPECT_FALSE(ClickButton(form, control_id::Command(3)));
    EXPECT_FALSE(ClickButton(form, control_id::Label(4)));
    EXPECT_FALSE(ClickButton(form, control_id::Command(8)));
    EXPECT_FALSE(ClickButton(form, control_id::Command(0)));
}

TEST_F(WindowHandlers, DoubleClickedFolderBecomesCurrent) {
    EXPECT_TRUE(OpenFolder(form, dir.Path("user\\sub")));
    EXPECT_EQ(form.controls.Dir1.Path(), dir.Path("user\\sub"));
    EXPECT_EQ(form.controls.File1.Path(), dir.Path("user\\sub"));
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST_F(WindowHandlers, FolderThatWentIsReportedAndTheListStays) {
    EXPECT_FALSE(OpenFolder(form, dir.Path("gone")));
    EXPECT_THAT(host.messages,
                ElementsAre("The folder \"" + dir.Path("gone") + "\" cannot be opened."));
    EXPECT_EQ(form.controls.Dir1.Path(), dir.Path());
}

TEST_F(WindowHandlers, DriveThatIsNotReadyIsReportedAndNothingChanges) {
    EXPECT_FALSE(Drive1_Change(form, "q: [Removable]"));
    EXPECT_THAT(host.messages, ElementsAre("The drive q: is not ready."));
    EXPECT_EQ(form.controls.Dir1.Path(), dir.Path());
    EXPECT_EQ(form.controls.File1.Path(), dir.Path());
}

TEST(DriveRoot, FirstTwoCharactersAndABackslash) {
    EXPECT_EQ(DriveRootOf("c: [System]"), "c:\\");
    EXPECT_EQ(DriveRootOf("d:"), "d:\\");
}

#ifndef _WIN32
// A chosen drive's root, through the POSIX backend's drive map (the window tests under Wine
// pick real drives).
TEST(Drive1Change, MovesBothListsToTheRoot) {
    ScopedTempDir drive;
    drive.Write("top.galaxy", "t");
    drive.MakeFolder("Maps");
    PosixFileSystem fs{{{'C', drive.Host().string()}}};
    FakeSystemProbe probe;
    FakeHost host;
    Form1 form{probe, host, fs};
    form.controls.File1.SetPattern("*.galaxy");

    EXPECT_TRUE(Drive1_Change(form, "c: [System]"));
    EXPECT_EQ(form.controls.Dir1.Path(), "c:\\");
    EXPECT_EQ(form.controls.Dir1.List(0), "c:\\Maps");
    EXPECT_EQ(form.controls.File1.Path(), "c:\\");
    EXPECT_EQ(form.controls.File1.List(0), "top.galaxy");
    EXPECT_THAT(host.messages, IsEmpty());
}
#endif

}  // namespace
}  // namespace galemend::test
