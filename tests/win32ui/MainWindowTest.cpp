// The real window, created hidden in this process under Wine: its controls as designed, and
// the models and the window kept in step.
#include <windows.h>

#include <commctrl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Support.h"
#include "platform/win32/Win32SystemProbe.h"
#include "support/FakeSystemProbe.h"
#include "support/ScopedTempDir.h"
#include "ui/Form1.h"
#include "ui/WindowDesign.h"
#include "ui/win32/MainWindow.h"

namespace galemend::test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

// Texts are read with the W messages, in UTF-8 as the models hold them.
std::string TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Utf8FromWide(text);
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

// The window's rectangle in its parent's client area.
PixelRect PlaceOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return {static_cast<int>(rect.left), static_cast<int>(rect.top),
            static_cast<int>(rect.right - rect.left), static_cast<int>(rect.bottom - rect.top)};
}

bool HasStyle(HWND window, LONG style) {
    return (::GetWindowLongA(window, GWL_STYLE) & style) == style;
}

std::vector<std::string> ListItems(HWND list, bool combo = false) {
    const UINT count = combo ? CB_GETCOUNT : LB_GETCOUNT;
    const UINT length = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT get = combo ? CB_GETLBTEXT : LB_GETTEXT;
    std::vector<std::string> items;
    for (LRESULT i = 0; i < ::SendMessageW(list, count, 0, 0); ++i) {
        std::vector<wchar_t> text(static_cast<size_t>(::SendMessageW(list, length, i, 0)) + 1);
        ::SendMessageW(list, get, i, reinterpret_cast<LPARAM>(text.data()));
        items.push_back(Utf8FromWide(text.data()));
    }
    return items;
}

LOGFONTA FontOf(HWND control) {
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font,
                 &font);
    return font;
}

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        dir.Write("maps/mine.galaxy", "m");
        dir.Write("maps/notes.txt", "n");
        dir.MakeFolder("maps/Sub");
        dir.MakeFolder("other");
        form.controls.File1.SetPattern("*.galaxy");
        form.controls.Dir1.SetPath(dir.Path());
        window = std::make_unique<MainWindow>(form, ::GetModuleHandleA(nullptr));
    }

    HWND Control(int id) const { return ::GetDlgItem(window->Handle(), id); }
    void Notify(int id, int code) {
        ::SendMessageA(window->Handle(), WM_COMMAND, MAKEWPARAM(id, code),
                       reinterpret_cast<LPARAM>(Control(id)));
    }

    ScopedTempDir dir;
    FakeSystemProbe probe;
    FakeHost host;
    Win32FileSystem fs;
    Form1 form{probe, host, fs};
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, ClientAreaAndEveryControlAsDesigned) {
    const int dpi = SystemDpi();
    RECT client{};
    ::GetClientRect(window->Handle(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(kClientWidthTwips, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(kClientHeightTwips, dpi));

    const std::map<ControlKind, std::string> classes{
        {ControlKind::DriveList, "ComboBox"}, {ControlKind::FileList, "ListBox"},
        {ControlKind::FolderList, "ListBox"}, {ControlKind::Button, "Button"},
        {ControlKind::TextBox, "Edit"},       {ControlKind::Label, "Static"}};
    for (const ControlDesign& design : Form1Design()) {
        const HWND control = Control(design.id);
        ASSERT_NE(control, nullptr) << design.name;
        EXPECT_EQ(ClassOf(control), classes.at(design.kind)) << design.name;
        const PixelRect designed = ToPixels(design.rect, dpi);
        const PixelRect actual = PlaceOf(control);
        EXPECT_EQ(actual.left, designed.left) << design.name;
        EXPECT_EQ(actual.top, designed.top) << design.name;
        if (!design.sizesToText) {
            // The drive list's window is its closed field; the open list hangs below it.
            EXPECT_EQ(actual.width, designed.width) << design.name;
            EXPECT_EQ(actual.height, designed.height) << design.name;
        }
    }
}

TEST_F(MainWindowTest, TextsAndStatesComeFromTheModels) {
    EXPECT_EQ(TextOf(window->Handle()), "merrow's corv & Sundering map updater");
    EXPECT_EQ(TextOf(Control(control_id::Command(1))), "find galaxies");
    EXPECT_EQ(TextOf(Control(control_id::Command(4))), "program space galaxies");
    EXPECT_EQ(TextOf(Control(control_id::Label(2))), "Please wait processing");
    EXPECT_EQ(TextOf(Control(control_id::Label(19))), "silent mode the buttons do not work");
    for (int n = 1; n <= 5; ++n) {
        EXPECT_TRUE(::IsWindowEnabled(Control(control_id::Command(n)))) << "Command" << n;
    }
    EXPECT_FALSE(::IsWindowEnabled(Control(control_id::Command(6))));
    EXPECT_FALSE(::IsWindowEnabled(Control(control_id::Command(7))));
    EXPECT_FALSE(HasStyle(Control(control_id::Label(19)), WS_VISIBLE)) << "hidden until silent";
    EXPECT_TRUE(HasStyle(Control(control_id::Label(18)), WS_VISIBLE));
    EXPECT_TRUE(HasStyle(Control(control_id::Label(4)), SS_RIGHT));
    EXPECT_TRUE(HasStyle(Control(control_id::Label(2)), SS_CENTER));
    EXPECT_TRUE(HasStyle(Control(control_id::kText1),
                         ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_TABSTOP));
    EXPECT_EQ(TextOf(Control(control_id::kText1)), "");
}

TEST_F(MainWindowTest, ModelChangesShowAtOnce) {
    Form1Controls& c = form.controls;
    c.Label4.SetCaption(" 3");
    c.Command2.SetEnabled(false);
    c.Command6.SetEnabled(true);
    c.Label19.SetVisible(true);
    c.Text1.AppendText("a.galaxy\r\nb.galaxy\r\n");
    c.Caption.SetCaption(c.Caption.Caption() + " DeBuGgInG M O D E!");
    c.Command4.SetToolTip("C:\\Games\\Corv\\");

    EXPECT_EQ(TextOf(Control(control_id::Label(4))), " 3");
    EXPECT_FALSE(::IsWindowEnabled(Control(control_id::Command(2))));
    EXPECT_TRUE(::IsWindowEnabled(Control(control_id::Command(6))));
    EXPECT_TRUE(HasStyle(Control(control_id::Label(19)), WS_VISIBLE));
    EXPECT_EQ(TextOf(Control(control_id::kText1)), "a.galaxy\r\nb.galaxy\r\n");
    EXPECT_EQ(TextOf(window->Handle()), "merrow's corv & Sundering map updater DeBuGgInG M O D E!");
    EXPECT_EQ(window->Views().tips.Get(Control(control_id::Command(4))), "C:\\Games\\Corv\\");
    EXPECT_EQ(window->Views().tips.Get(Control(control_id::Command(5))), "");
}

TEST_F(MainWindowTest, NamesOutsideTheCodePageShowWhole) {
    dir.Write("星海 Corvane/Карта.galaxy", "m");
    dir.MakeFolder("星海 Corvane/Ωμέγα");
    form.controls.File1.SetPath(dir.Path("星海 Corvane"));
    form.controls.Dir1.SetPath(dir.Path("星海 Corvane"));
    form.controls.Text1.AppendText("Карта.galaxy\r\n");
    form.controls.Label4.SetCaption("Ёлка");
    form.controls.Command4.SetToolTip("C:\\星海\\");

    const std::vector<std::string> rows = ListItems(Control(control_id::kDir1));
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows[rows.size() - 2], "星海 Corvane");
    EXPECT_EQ(rows.back(), "Ωμέγα");
    EXPECT_THAT(ListItems(Control(control_id::kFile1)), ElementsAre("Карта.galaxy"));
    EXPECT_EQ(TextOf(Control(control_id::kText1)), "Карта.galaxy\r\n");
    EXPECT_EQ(TextOf(Control(control_id::Label(4))), "Ёлка");
    EXPECT_EQ(window->Views().tips.Get(Control(control_id::Command(4))), "C:\\星海\\");
}

TEST_F(MainWindowTest, LabelThatSizesToItsTextGrowsInPlace) {
    const HWND label = Control(control_id::Label(11));
    const PixelRect before = PlaceOf(label);
    form.controls.Label11.SetCaption("AMD64 type, and then some more text");
    const PixelRect after = PlaceOf(label);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_GT(after.width, before.width * 4);
    EXPECT_EQ(after.height, before.height);
}

TEST_F(MainWindowTest, FolderListShowsThePathThenTheSubfolders) {
    form.controls.Dir1.SetPath(dir.Path("maps"));
    const std::vector<std::string> rows = ListItems(Control(control_id::kDir1));
    ASSERT_GE(rows.size(), 3u);
    EXPECT_THAT(rows[0], StartsWith(dir.Path().substr(0, 2)));
    EXPECT_EQ(rows[rows.size() - 2], "maps");
    EXPECT_EQ(rows.back(), "Sub");
    EXPECT_EQ(::SendMessageA(Control(control_id::kDir1), LB_GETCURSEL, 0, 0),
              static_cast<LRESULT>(rows.size() - 2))
        << "the current folder is selected";
    EXPECT_THAT(ListItems(Control(control_id::kFile1)), ElementsAre("mine.galaxy"));
}

TEST_F(MainWindowTest, DoubleClickOpensTheFolder) {
    const HWND list = Control(control_id::kDir1);
    const std::vector<std::string> rows = ListItems(list);
    const auto maps = std::find(rows.begin(), rows.end(), "maps");
    ASSERT_NE(maps, rows.end());
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(maps - rows.begin()), 0);
    Notify(control_id::kDir1, LBN_DBLCLK);
    EXPECT_EQ(form.controls.Dir1.Path(), dir.Path("maps"));
    EXPECT_THAT(ListItems(Control(control_id::kFile1)), ElementsAre("mine.galaxy"));

    // The root row goes up to the drive.
    ::SendMessageA(list, LB_SETCURSEL, 0, 0);
    Notify(control_id::kDir1, LBN_DBLCLK);
    EXPECT_EQ(form.controls.Dir1.Path().size(), 3u);
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST_F(MainWindowTest, ClicksRunTheHandlersUnlessTheButtonIsDisabled) {
    form.installation.pathlist[0] = dir.Path("other");
    Notify(control_id::Command(5), BN_CLICKED);
    EXPECT_EQ(form.controls.Dir1.Path(), dir.Path("other"));

    // Wine runs a disabled button's click message; the model refuses it.
    ::SendMessageA(Control(control_id::Command(6)), BM_CLICK, 0, 0);
    Notify(control_id::Command(7), BN_CLICKED);
    EXPECT_EQ(form.installation.editionLetter, "");
}

TEST_F(MainWindowTest, DriveListHoldsTheDrivesAndMovesTheFolderList) {
    const HWND drives = Control(control_id::kDrive1);
    const std::vector<std::string> entries = ListItems(drives, true);
    EXPECT_THAT(entries, Contains(StartsWith("c:")));
    const auto c = std::find_if(entries.begin(), entries.end(),
                                [](const std::string& entry) { return entry.rfind("c:", 0) == 0; });
    ::SendMessageA(drives, CB_SETCURSEL, static_cast<WPARAM>(c - entries.begin()), 0);
    Notify(control_id::kDrive1, CBN_SELCHANGE);
    EXPECT_EQ(form.controls.Dir1.Path(), "c:\\");
    EXPECT_EQ(form.controls.File1.Path(), "c:\\");
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST_F(MainWindowTest, TabOrderFollowsTheDesign) {
    form.controls.Command6.SetEnabled(true);
    std::vector<int> order;
    HWND control = ::GetNextDlgTabItem(window->Handle(), nullptr, FALSE);
    while (control != nullptr && order.size() < 40) {
        order.push_back(::GetDlgCtrlID(control));
        control = ::GetNextDlgTabItem(window->Handle(), control, FALSE);
        if (control != nullptr && ::GetDlgCtrlID(control) == order.front()) {
            break;
        }
    }
    using namespace control_id;
    EXPECT_THAT(order, ElementsAre(kDrive1, kFile1, kDir1, Command(1), Command(2), Command(3),
                                   Command(4), Command(5), kText1, kText2, Command(6)))
        << "labels take no focus, nor does the disabled Command7";
}

// Presses a key as the message loop would see it; false when the loop would dispatch it.
bool PressKey(HWND window, WPARAM key) {
    MSG message{::GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
    return ::IsDialogMessageA(window, &message) != 0;
}

TEST_F(MainWindowTest, TabKeyWalksTheControlsAndLeavesTheTextBoxes) {
    window->Show(SW_SHOWNORMAL);
    ASSERT_EQ(::GetFocus(), Control(control_id::kDrive1)) << "the first control has the keyboard";
    std::vector<int> visited;
    for (int n = 0; n < 10; ++n) {
        ASSERT_TRUE(PressKey(window->Handle(), VK_TAB));
        visited.push_back(::GetDlgCtrlID(::GetFocus()));
    }
    using namespace control_id;
    EXPECT_THAT(visited, ElementsAre(kFile1, kDir1, Command(1), Command(2), Command(3), Command(4),
                                     Command(5), kText1, kText2, kDrive1));
}

TEST_F(MainWindowTest, EnterOpensTheSelectedFolderOrPressesTheButton) {
    window->Show(SW_SHOWNORMAL);
    const HWND list = Control(control_id::kDir1);
    ::SetFocus(list);
    const std::vector<std::string> rows = ListItems(list);
    const auto other = std::find(rows.begin(), rows.end(), "other");
    ASSERT_NE(other, rows.end());
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(other - rows.begin()), 0);
    PressKey(window->Handle(), VK_RETURN);
    EXPECT_EQ(form.controls.Dir1.Path(), dir.Path("other"));

    // On a button, Enter presses it.
    form.installation.pathlist = {dir.Path("maps"), ""};
    ::SetFocus(Control(control_id::Command(1)));
    PressKey(window->Handle(), VK_RETURN);
    EXPECT_EQ(form.controls.Label8.Caption(), " 1") << "one search ran";
    EXPECT_EQ(TextOf(Control(control_id::kText1)), "mine.galaxy\r\n");
}

TEST_F(MainWindowTest, DisablingTheFocusedButtonPassesTheKeyboardOn) {
    window->Show(SW_SHOWNORMAL);
    ::SetFocus(Control(control_id::Command(1)));
    form.controls.Command1.SetEnabled(false);  // as after a search
    EXPECT_EQ(::GetFocus(), Control(control_id::Command(2)));
}

TEST_F(MainWindowTest, FontsAsDesigned) {
    const LOGFONTA find = FontOf(Control(control_id::Command(1)));
    EXPECT_EQ(find.lfWeight, FW_BOLD);
    EXPECT_EQ(find.lfHeight, -PointsToPixels(825, SystemDpi()));
    const LOGFONTA heading = FontOf(Control(control_id::Label(2)));
    EXPECT_EQ(heading.lfHeight, -PointsToPixels(1350, SystemDpi()));
    EXPECT_TRUE(heading.lfItalic);
    EXPECT_EQ(FontOf(Control(control_id::Command(3))).lfHeight, -PointsToPixels(1800, SystemDpi()));
    EXPECT_EQ(FontOf(Control(control_id::kText1)).lfWeight, FW_NORMAL);
    // Which faces stood in here, for the record.
    for (const char* face : {"MS Sans Serif", "Arial Narrow"}) {
        std::cout << face << " -> " << window->FaceOf(FontDesign{face}) << '\n';
    }
}

TEST_F(MainWindowTest, RepaintsWhileItLivesAndModelsOutliveIt) {
    ::InvalidateRect(window->Handle(), nullptr, TRUE);
    Win32Host().RepaintWindows();
    RECT stale{};
    EXPECT_FALSE(::GetUpdateRect(window->Handle(), &stale, FALSE)) << "drawn at once";
    window.reset();
    form.controls.Label4.SetCaption("9");  // reaches no control any more
    form.controls.Dir1.SetPath(dir.Path("other"));
}

}  // namespace
}  // namespace galemend::test
