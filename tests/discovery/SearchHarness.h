#pragma once

#include <array>
#include <functional>
#include <string>

#include "controls/BusyGuard.h"
#include "controls/FileList.h"
#include "controls/FolderList.h"
#include "controls/Label.h"
#include "controls/PendingEvents.h"
#include "controls/TextBox.h"
#include "discovery/FindGalaxies.h"
#include "discovery/SearchState.h"

namespace galemend::test {

// Pending-event hook that counts its calls and can run a callback (a click) in them.
class CountingEvents : public PendingEvents {
  public:
    void Process() override {
        ++calls;
        if (onProcess) {
            onProcess();
        }
    }
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
