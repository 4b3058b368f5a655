// The command-line stage on any command-line text: it either refuses the text, starts a
// silent run, or leaves the window waiting, and never crashes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "controls/Form1Controls.h"
#include "platform/CodePages.h"
#include "platform/posix/PosixFileSystem.h"
#include "startup/FormLoad.h"
#include "support/FakeSystemProbe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace galemend;
    PosixFileSystem fs;
    test::FakeSystemProbe probe;
    test::FakeHost host;
    probe.commandLine.assign(reinterpret_cast<const char*>(data), size);
    Form1Controls controls(fs);
    InstallationState installation;
    TemplateState templates{SystemCodePage(kWesternCodePage)};
    DiagnosticLog log(fs, templates.codePage);
    bool silent = false;
    try {
        CommandLineStage({probe, host, fs, controls, installation, templates, log}, [&] {
            silent = true;
            return ExitStatus::Normal;
        });
    } catch (const test::ProcessTerminated& end) {
        const bool refused = end.exitStatus == static_cast<unsigned>(ExitStatus::InvalidArgument);
        // A refusal shows exactly one message and never runs silently.
        if (refused != (host.messages.size() == 1) || (refused && silent)) {
            std::abort();
        }
        return 0;
    }
    if (silent || !host.messages.empty() || controls.Command2.Enabled()) {
        std::abort();  // the stage returns only for an interactive run
    }
    return 0;
}
