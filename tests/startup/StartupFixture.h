#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "controls/Controls.h"
#include "conversion/Templates.h"
#include "platform/CodePages.h"
#include "platform/posix/PosixFileSystem.h"
#include "startup/FormLoad.h"
#include "support/FakeSystemProbe.h"
#include "support/ScopedCurrentFolder.h"
#include "support/ScopedTempDir.h"

namespace galemend::test {

// A player's machine on real folders: drive C: is a temporary folder, the program and its
// data files live in C:\app (the current folder), and the fake probe answers for Windows 7,
// 64-bit, with the registry empty until a test installs an edition.
class StartupTest : public ::testing::Test {
  protected:
    StartupTest();

    // Registry value (in the view a 64-bit Windows reads) and installation folder.
    void Install(const std::string& edition, const std::string& folder);
    // A folder given as "C:\\...".
    void MakeFolder(const std::string& path);
    // The executable in the folder, with a product version ("" for none).
    void GameExe(const std::string& folder, const std::string& exe, const std::string& version);
    void TargetVersions(const std::string& baseVersion, const std::string& sunderingVersion,
                        const std::string& marker = "");
    void UseWindows(unsigned major, unsigned minor, bool is64 = true);

    InstallationContext Context() { return {probe, host, fs, form, installation, templates, log}; }
    // Runs a start-up step; the exit status when it ended the process.
    std::optional<unsigned> Ends(const std::function<void()>& step);
    std::optional<unsigned> RunFormLoad();

    ScopedTempDir dir;
    PosixFileSystem fs;
    ScopedCurrentFolder current;
    FakeSystemProbe probe;
    FakeHost host;
    Form1Controls form{fs};
    InstallationState installation;
    TemplateState templates{SystemCodePage(probe.ansiCodePage)};
    DiagnosticLog log{fs, templates.codePage};
    int silentRuns = 0;
    ExitStatus silentResult = ExitStatus::Normal;
};

}  // namespace galemend::test
