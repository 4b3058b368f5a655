#include "ui/win32/ToolTips.h"

#include <commctrl.h>

#include <stdexcept>
#include <vector>

namespace galemend {

namespace {

// The tool record as both the classic and the themed common controls read it.
TTTOOLINFOA ToolFor(HWND owner, HWND control) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

}  // namespace

ToolTips::ToolTips(HWND owner)
    : owner_(owner),
      tips_(::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr)) {
    if (tips_ == nullptr) {
        throw std::runtime_error("cannot create the tool tips");
    }
}

void ToolTips::Set(HWND control, const std::string& text) {
    TTTOOLINFOA tool = ToolFor(owner_, control);
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    tool.lpszText = buffer.data();
    TTTOOLINFOA existing = ToolFor(owner_, control);
    const bool known =
        ::SendMessageA(tips_, TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&existing)) != 0;
    ::SendMessageA(tips_, known ? TTM_UPDATETIPTEXTA : TTM_ADDTOOLA, 0,
                   reinterpret_cast<LPARAM>(&tool));
}

std::string ToolTips::Get(HWND control) const {
    std::vector<char> buffer(1024, '\0');  // as much as the control keeps of a tip
    TTTOOLINFOA tool = ToolFor(owner_, control);
    tool.lpszText = buffer.data();
    ::SendMessageA(tips_, TTM_GETTEXTA, buffer.size(), reinterpret_cast<LPARAM>(&tool));
    return buffer.data();
}

}  // namespace galemend
