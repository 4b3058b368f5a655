#include "WindowFacts.h"

#include <algorithm>

#include "Text.h"

namespace galemend::e2e {

namespace {

struct EnumState {
    DWORD processId;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM data) {
    auto* state = reinterpret_cast<EnumState*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == state->processId) {
        state->windows.push_back(window);
    }
    return TRUE;
}

bool SendTimeoutW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD timeoutMs,
                  DWORD_PTR& result) {
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result) !=
           0;
}

std::optional<std::wstring> ListItemText(HWND window, bool combo, WPARAM index, DWORD timeoutMs) {
    DWORD_PTR length = 0;
    if (!SendTimeoutW(window, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, index, 0, timeoutMs,
                      length) ||
        static_cast<LRESULT>(length) < 0) {
        return std::nullopt;
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendTimeoutW(window, combo ? CB_GETLBTEXT : LB_GETTEXT, index,
                      reinterpret_cast<LPARAM>(text.data()), timeoutMs, copied) ||
        static_cast<LRESULT>(copied) < 0) {
        return std::nullopt;
    }
    text.resize(std::min<size_t>(copied, length));
    return text;
}

}  // namespace

std::vector<HWND> TopWindowsOf(DWORD processId) {
    EnumState state{processId, {}};
    EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&state));
    return state.windows;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string CaptionOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

std::optional<std::string> SentText(HWND window, DWORD timeoutMs) {
    DWORD_PTR length = 0;
    if (!SendTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, timeoutMs, length)) {
        return std::nullopt;
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                      timeoutMs, copied)) {
        return std::nullopt;
    }
    text.resize(std::min<size_t>(copied, length));
    return Narrow(text);
}

std::optional<ListFacts> ListItems(HWND window, DWORD timeoutMs) {
    const std::string name = ClassOf(window);
    const bool combo = _stricmp(name.c_str(), "ComboBox") == 0;
    if (!combo && _stricmp(name.c_str(), "ListBox") != 0) {
        return std::nullopt;
    }
    DWORD_PTR count = 0;
    if (!SendTimeoutW(window, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, timeoutMs, count) ||
        static_cast<LRESULT>(count) < 0) {
        return std::nullopt;
    }
    ListFacts facts;
    for (WPARAM i = 0; i < count; ++i) {
        const auto text = ListItemText(window, combo, i, timeoutMs);
        facts.items.push_back(text ? Narrow(*text) : std::string("<unreadable>"));
    }
    DWORD_PTR selected = 0;
    if (SendTimeoutW(window, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0, timeoutMs, selected)) {
        facts.selected = static_cast<long>(static_cast<LRESULT>(selected));
    }
    return facts;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

RECT RectIn(HWND window, HWND reference) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> TabChain(HWND dialog) {
    std::vector<HWND> chain;
    HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
    for (HWND at = first; at != nullptr && chain.size() < 64;) {
        chain.push_back(at);
        at = GetNextDlgTabItem(dialog, at, FALSE);
        if (at == first) {
            break;
        }
    }
    return chain;
}

bool IsMessageBox(HWND window) {
    return ClassOf(window) == "#32770" && IsWindowVisible(window);
}

}  // namespace galemend::e2e
