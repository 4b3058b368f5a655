#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace galemend::e2e {

struct ToolTipFact {
    HWND tool = nullptr;  // the control the tip belongs to
    UINT_PTR id = 0;      // the tool's id within its window when it is not the control itself
    std::string text;
};

// Every tool of every tool-tip control of the process, with its text. The tool-tip
// messages take pointers, so their structures live in a buffer inside the other process.
std::vector<ToolTipFact> ReadToolTips(HANDLE process, DWORD processId, DWORD timeoutMs);

}  // namespace galemend::e2e
