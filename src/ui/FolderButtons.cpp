#include "platform/RuntimeError.h"
#include "ui/Form1.h"

namespace galemend {

namespace {

// Shows a search folder in the folder list; a folder that is gone is reported and the list
// stays where it was.
void ShowFolder(Form1& form, const std::string& folder) {
    try {
        form.controls.Dir1.SetPath(folder);
    } catch (const RuntimeError&) {
        form.probe.ShowMessage("The folder \"" + folder + "\" does not exist.");
    }
}

}  // namespace

void Command4_Click(Form1& form) {
    ShowFolder(form, form.installation.pathlist[1]);
}

void Command5_Click(Form1& form) {
    ShowFolder(form, form.installation.pathlist[0]);
}

}  // namespace galemend
