#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "controls/Controls.h"
#include "controls/Form1Controls.h"
#include "conversion/FixGalaxies.h"
#include "conversion/Templates.h"
#include "discovery/FindGalaxies.h"
#include "platform/FileSystem.h"
#include "platform/SystemProbe.h"
#include "startup/DiagnosticLog.h"
#include "startup/FormLoad.h"

namespace galemend {

// The main window as the program sees it: its controls and the values its procedures
// share. The procedures themselves live beside their subsystems; the handlers below only
// call them and set the buttons.
struct Form1 {
    Form1(SystemProbe& probe, Host& host, FileSystem& fs);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    SystemProbe& probe;
    Host& host;
    FileSystem& fs;
    Form1Controls controls;
    InstallationState installation;
    TemplateState templates;  // its code page is the system's, for every file the run reads
    SearchState search;
    DiagnosticLog log;
    Busy busy;

    InstallationContext Installation() {
        return {probe, host, fs, controls, installation, templates, log};
    }
};

// Before start-up the folder list shows the process's current folder, as the window was
// designed; a folder that cannot be listed leaves it empty.
void ShowCurrentFolder(Form1& form);
// Runs Form_Load, the start-up, with this form's values and its silent run.
void LoadForm(Form1& form);
// The search and conversion of a silent run, and how the process is to end after it. Given
// a place for it, the conversion's result is kept there.
ExitStatus SilentRun(Form1& form, std::optional<ConversionResult>* result = nullptr);

void Command1_Click(Form1& form);  // find galaxies
void Command2_Click(Form1& form);  // fix found galaxies
void Command3_Click(Form1& form);  // exit
void Command4_Click(Form1& form);  // program space galaxies
void Command5_Click(Form1& form);  // user space galaxies
void Command6_Click(Form1& form);  // corv/concord
void Command7_Click(Form1& form);  // sundering
void Dir1_Change(Form1& form);

// The user picked another drive: Dir1 (and through it File1) moves to that drive's root. A
// drive that cannot be listed (no disk, not ready) is reported by name and nothing changes.
// Returns whether Dir1 moved.
bool Drive1_Change(Form1& form, std::string_view entry);
// The root folder a drive-list entry stands for: its first two characters (the drive letter
// and the colon) followed by "\".
std::string DriveRootOf(std::string_view entry);

// A folder of the folder list was double-clicked: it becomes Dir1's current folder (File1
// follows). A folder that is gone is reported by name and Dir1 stays where it was. Returns
// whether Dir1 moved.
bool OpenFolder(Form1& form, const std::string& path);

// Runs the click handler of the button with this child-window identifier (Command1 ..
// Command7). A disabled button runs nothing, whoever sent the click; so does any other
// identifier. Returns whether a handler ran.
bool ClickButton(Form1& form, int id);

// The model of a control by its number: Command1 .. Command7, Label1 .. Label19. Numbers
// outside those ranges give nullptr.
Button* CommandModel(Form1Controls& controls, int n);
Label* LabelModel(Form1Controls& controls, int n);

// The message shown when "find galaxies" is pressed before an edition is chosen.
inline constexpr const char* kChooseEditionFirst =
    "Both editions of the game are installed. Please choose one first with \"corv/concord\" "
    "or \"sundering\".";

// The message that reports an error nothing handled, e.g.
// "Run-time error '76':\r\n\r\nPath not found".
std::string RuntimeErrorMessage(int number, const std::string& text);

// Runs work (a handler, start-up); an exception escaping it is shown in one message and
// ends the program with ExitStatus::RuntimeError, the way the platform reports an
// unhandled runtime error.
void RunReportingErrors(Host& host, const std::function<void()>& work);

}  // namespace galemend
