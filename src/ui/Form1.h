#pragma once

#include <functional>

#include "controls/BusyGuard.h"
#include "controls/Form1Controls.h"
#include "controls/PendingEvents.h"
#include "conversion/TemplateState.h"
#include "discovery/SearchState.h"
#include "platform/FileSystem.h"
#include "platform/SystemProbe.h"
#include "startup/DiagnosticLog.h"
#include "startup/ExitStatus.h"
#include "startup/InstallationContext.h"
#include "startup/InstallationState.h"

namespace galemend {

// Lets the window handle its waiting events through the platform's event pump.
class ProbePendingEvents final : public PendingEvents {
  public:
    explicit ProbePendingEvents(SystemProbe& probe) : probe_(probe) {}
    void Process() override { probe_.ProcessPendingEvents(); }

  private:
    SystemProbe& probe_;
};

// The main window as the program sees it: its controls and the values its procedures
// share. The procedures themselves live beside their subsystems; the handlers below only
// call them and set the buttons.
struct Form1 {
    Form1(SystemProbe& probe, FileSystem& fs);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    SystemProbe& probe;
    FileSystem& fs;
    Form1Controls controls;
    InstallationState installation;
    TemplateState templates;
    SearchState search;
    DiagnosticLog log;
    Busy busy;
    ProbePendingEvents pendingEvents;
    // Redraws the window at once; the window sets it, headless runs leave it empty.
    std::function<void()> repaint;

    InstallationContext Installation() {
        return {probe, fs, controls, installation, templates, log};
    }
};

void Form_Load(Form1& form);
// The search and conversion of a silent run, and how the process is to end after it.
ExitStatus SilentRun(Form1& form);

void Command1_Click(Form1& form);  // find galaxies
void Command2_Click(Form1& form);  // fix found galaxies
void Command3_Click(Form1& form);  // exit
void Command4_Click(Form1& form);  // program space galaxies
void Command5_Click(Form1& form);  // user space galaxies
void Command6_Click(Form1& form);  // corv/concord
void Command7_Click(Form1& form);  // sundering
void Dir1_Change(Form1& form);

// The message shown when "find galaxies" is pressed before an edition is chosen.
inline constexpr const char* kChooseEditionFirst =
    "Both editions of the game are installed. Please choose one first with \"corv/concord\" "
    "or \"sundering\".";

}  // namespace galemend
