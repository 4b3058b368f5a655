#include "ui/win32/FolderOpening.h"

#include "platform/RuntimeError.h"

namespace galemend {

bool OpenFolder(Form1& form, const std::string& path) {
    try {
        form.controls.Dir1.SetPath(path);
    } catch (const RuntimeError&) {
        form.probe.ShowMessage("The folder \"" + path + "\" cannot be opened.");
        return false;
    }
    return true;
}

}  // namespace galemend
