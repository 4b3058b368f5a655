#pragma once

#include <windows.h>

#include <map>

#include "ui/win32/FontSet.h"

namespace galemend {

// The main window's controls by identifier. The main window owns them: they go with it.
class ChildWindows {
  public:
    // Creates every control of the design in tab order, sized and placed at dpi, each with
    // its font; texts and states are left to the models' views.
    static ChildWindows Create(HWND parent, FontSet& fonts, int dpi);

    // The control with this identifier, or nullptr.
    HWND Get(int id) const;

  private:
    std::map<int, HWND> windows_;
};

}  // namespace galemend
