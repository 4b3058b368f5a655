#pragma once

#include <windows.h>

namespace galemend {

// A multi-line text box keeps every key for itself, so Tab would never leave it. Made read
// only, it has no use for Tab or Enter: from now on both go to keyboard navigation.
void LetTabLeave(HWND textBox);

}  // namespace galemend
