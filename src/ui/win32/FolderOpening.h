#pragma once

#include <string>

#include "ui/Form1.h"

namespace galemend {

// A folder of the folder list was double-clicked: it becomes Dir1's current folder (File1
// follows). A folder that is gone is reported by name and Dir1 stays where it was. Returns
// whether Dir1 moved.
bool OpenFolder(Form1& form, const std::string& path);

}  // namespace galemend
