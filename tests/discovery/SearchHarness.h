#pragma once

#include <array>
#include <functional>
#include <stdexcept>
#include <string>

#include "controls/Controls.h"
#include "controls/Lists.h"
#include "discovery/FindGalaxies.h"
#include "platform/SystemProbe.h"

namespace galemend::test {

// A host whose pending-event processing counts its calls and can run a callback (a click).
class CountingEvents : public Host {
  public:
    void ProcessPendingEvents() override {
        ++calls;
        if (onProcess) {
            onProcess();
        }
    }
    void ShowMessage(const std::string&) override {}
    void RepaintWindows() override {}
    [[noreturn]] void Terminate(unsigned) override { throw std::logic_error("no end in a search"); }
    int calls = 0;
    std::function<void()> onProcess;
};

// The controls a search touches, headless, with their designed initial contents.
struct SearchHarness {
    explicit SearchHarness(FileSystem& fs) : Dir1(fs), File1(fs, "*.galaxy") {}

    bool Find(const std::array<std::string, 2>& pathlist) {
        return FindGalaxies(pathlist, state, Controls());
    }
    SearchControls Controls() { return {Dir1, File1, Text1, Label6, Label8, events, busy}; }

    FolderList Dir1;
    FileList File1;
    TextBox Text1;
    Label Label6{"0"};
    Label Label8{"0"};
    CountingEvents events;
    Busy busy;
    SearchState state;
};

}  // namespace galemend::test
