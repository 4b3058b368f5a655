#include "RemoteTooltips.h"

#include <commctrl.h>

#include <cstddef>

#include "Handle.h"
#include "Text.h"
#include "WindowFacts.h"

namespace galemend::e2e {

namespace {

constexpr size_t kTextChars = INFOTIPSIZE;

// Memory committed in another process, released with it.
class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, size_t size)
        : process_(process),
          base_(static_cast<std::byte*>(
              VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {
        if (base_ == nullptr) {
            throw DriverError("cannot allocate memory in the program's process");
        }
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer() { VirtualFreeEx(process_, base_, 0, MEM_RELEASE); }

    std::byte* At(size_t offset) const { return base_ + offset; }
    void Write(size_t offset, const void* data, size_t size) const {
        if (!WriteProcessMemory(process_, At(offset), data, size, nullptr)) {
            throw DriverError("cannot write into the program's process");
        }
    }
    void Read(size_t offset, void* data, size_t size) const {
        if (!ReadProcessMemory(process_, At(offset), data, size, nullptr)) {
            throw DriverError("cannot read from the program's process");
        }
    }

  private:
    HANDLE process_;
    std::byte* base_;
};

}  // namespace

std::vector<ToolTipFact> ReadToolTips(HANDLE process, DWORD processId, DWORD timeoutMs) {
    std::vector<ToolTipFact> facts;
    constexpr size_t kTextOffset = 1024;
    RemoteBuffer remote(process, kTextOffset + kTextChars * sizeof(wchar_t));
    for (HWND tip : TopWindowsOf(processId)) {
        if (_stricmp(ClassOf(tip).c_str(), TOOLTIPS_CLASSA) != 0) {
            continue;
        }
        DWORD_PTR count = 0;
        if (!SendMessageTimeoutW(tip, TTM_GETTOOLCOUNT, 0, 0, SMTO_NORMAL, timeoutMs, &count)) {
            throw DriverError("tool-tip control does not answer");
        }
        for (WPARAM i = 0; i < count; ++i) {
            TTTOOLINFOW info{};
            info.cbSize = sizeof info;
            remote.Write(0, &info, sizeof info);
            DWORD_PTR found = 0;
            if (!SendMessageTimeoutW(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote.At(0)),
                                     SMTO_NORMAL, timeoutMs, &found) ||
                found == 0) {
                continue;
            }
            remote.Read(0, &info, sizeof info);
            info.lpszText = reinterpret_cast<LPWSTR>(remote.At(kTextOffset));
            const wchar_t empty = L'\0';
            remote.Write(kTextOffset, &empty, sizeof empty);
            remote.Write(0, &info, sizeof info);
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(tip, TTM_GETTEXTW, kTextChars,
                                reinterpret_cast<LPARAM>(remote.At(0)), SMTO_NORMAL, timeoutMs,
                                &ignored);
            std::wstring text(kTextChars, L'\0');
            remote.Read(kTextOffset, text.data(), text.size() * sizeof(wchar_t));
            if (const size_t end = text.find(L'\0'); end != std::wstring::npos) {
                text.resize(end);
            }
            const bool isControl = (info.uFlags & TTF_IDISHWND) != 0;
            facts.push_back({isControl ? reinterpret_cast<HWND>(info.uId) : info.hwnd,
                             isControl ? 0 : info.uId, Narrow(text)});
        }
    }
    return facts;
}

}  // namespace galemend::e2e
