#include "ui/win32/Drive1Change.h"

#include "platform/RuntimeError.h"

namespace galemend {

std::string DriveRootOf(std::string_view entry) {
    return std::string(entry.substr(0, 2)) + "\\";
}

bool Drive1_Change(Form1& form, std::string_view entry) {
    const std::string root = DriveRootOf(entry);
    try {
        form.controls.Dir1.SetPath(root);
    } catch (const RuntimeError&) {
        form.probe.ShowMessage("The drive " + root.substr(0, 2) + " is not ready.");
        return false;
    }
    return true;
}

}  // namespace galemend
