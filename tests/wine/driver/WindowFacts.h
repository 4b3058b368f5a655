#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace galemend::e2e {

// Top-level windows of one process, hidden ones included, in z-order.
std::vector<HWND> TopWindowsOf(DWORD processId);

std::string ClassOf(HWND window);
// The caption as the system keeps it; no message reaches the other process.
std::string CaptionOf(HWND window);

// WM_GETTEXT sent to the window's thread (marshalled across processes); empty when the
// thread does not answer within timeoutMs.
std::optional<std::string> SentText(HWND window, DWORD timeoutMs);

struct ListFacts {
    std::vector<std::string> items;
    long selected = -1;
};
// Items of a list box or combo box through the W messages, which cross processes.
std::optional<ListFacts> ListItems(HWND window, DWORD timeoutMs);

// Direct children of a window in z-order, which is the order tab navigation follows.
std::vector<HWND> ChildrenOf(HWND parent);

// The window's rectangle relative to the client area of another window.
RECT RectIn(HWND window, HWND reference);

// The controls that Tab visits from the first one until it comes back round.
std::vector<HWND> TabChain(HWND dialog);

bool IsMessageBox(HWND window);

}  // namespace galemend::e2e
