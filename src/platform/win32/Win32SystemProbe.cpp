#include "platform/win32/Win32SystemProbe.h"

#include <windows.h>

#include <shlobj.h>
#include <winver.h>

#include <utility>
#include <vector>

#include "platform/SystemFacts.h"
#include "platform/win32/NativeRegistry.h"
#include "platform/win32/ScriptShellRegistry.h"
#include "text/Text.h"

namespace galemend {

namespace {

constexpr DWORD kVersionRecordSize = 148;
static_assert(sizeof(OSVERSIONINFOA) == kVersionRecordSize);

constexpr std::size_t kFolderBufferSize = MAX_PATH;  // 260 characters

// Runs a registry operation through the scripting host, or natively where it cannot.
template <typename Operation>
auto ThroughScriptHost(const std::wstring& progId, const Operation& operation) {
    if (const auto shell = ScriptShellRegistry::Open(progId.c_str())) {
        try {
            return operation(*shell);
        } catch (const ScriptShellRegistry::Unsupported&) {
        }
    }
    return operation(NativeRegistry());
}

BOOL CALLBACK RedrawAtOnce(HWND window, LPARAM) {
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return TRUE;
}

}  // namespace

Win32SystemProbe::Win32SystemProbe(std::wstring progId) : progId_(std::move(progId)) {}

VersionRecord Win32SystemProbe::WindowsVersion() const {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = kVersionRecordSize;
    VersionRecord version;
    version.succeeded = ::GetVersionExA(&info) == 1;
    version.platformId = info.dwPlatformId;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    return version;
}

FolderPathAnswer Win32SystemProbe::SpecialFolderPath(std::uint32_t folderId) const {
    FolderPathAnswer answer;
    answer.buffer.assign(kFolderBufferSize, '\0');
    const HRESULT status =
        ::SHGetFolderPathA(nullptr, static_cast<int>(folderId), nullptr, 0, answer.buffer.data());
    answer.status = static_cast<std::uint32_t>(status);
    return answer;
}

std::string Win32SystemProbe::RegRead(const std::string& keyPath) const {
    return ThroughScriptHost(progId_, [&](const auto& registry) { return registry.Read(keyPath); });
}

void Win32SystemProbe::RegWrite(const std::string& keyPath, const std::string& value,
                                const std::string& type) {
    ThroughScriptHost(progId_, [&](const auto& registry) { registry.Write(keyPath, value, type); });
}

void Win32SystemProbe::RegDelete(const std::string& keyPath) {
    ThroughScriptHost(progId_, [&](const auto& registry) { registry.Delete(keyPath); });
}

std::optional<std::string> Win32SystemProbe::VersionRootBlock(const std::string& path) const {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size < 1) {
        return std::nullopt;
    }
    std::vector<char> resource(static_cast<std::size_t>(size) + 1, '\0');
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, resource.data())) {
        return std::string();
    }
    void* root = nullptr;
    UINT length = 0;
    char rootName[] = "\\";
    if (!::VerQueryValueA(resource.data(), rootName, &root, &length) || root == nullptr) {
        return std::string();
    }
    return std::string(static_cast<const char*>(root), length);
}

std::string Win32SystemProbe::EnvironmentVariable(const std::string& name) const {
    std::string value(64, '\0');
    for (;;) {
        const DWORD needed =
            ::GetEnvironmentVariableA(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (needed < value.size()) {
            value.resize(needed);  // 0 when the variable is not set
            return value;
        }
        value.assign(needed, '\0');
    }
}

std::string Win32SystemProbe::CommandLine() const {
    return ArgumentsAfterProgramName(::GetCommandLineA());
}

std::string Win32SystemProbe::ExecutableFolder() const {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return FolderOfModule(path);
        }
        path.assign(path.size() * 2, '\0');  // cut short: try again with more room
    }
}

unsigned Win32SystemProbe::AnsiCodePage() const {
    return ::GetACP();
}

std::string Win32SystemProbe::CurrentFolder() const {
    std::string folder(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            ::GetCurrentDirectoryA(static_cast<DWORD>(folder.size()), folder.data());
        if (length < folder.size()) {
            folder.resize(length);  // 0 on failure
            return folder;
        }
        folder.assign(length, '\0');  // too small: length is the room needed
    }
}

void Win32Host::ShowMessage(const std::string& text) {
    // Owned by the window that is active, so that the message is modal to it.
    ::MessageBoxA(::GetActiveWindow(), text.c_str(), "galemend", MB_OK);
}

void Win32Host::ProcessPendingEvents() {
    MSG message{};
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit request for the window's own message loop.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        // Keyboard navigation keeps working while a long search pumps the events.
        const HWND top = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (top == nullptr || !::IsDialogMessageA(top, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
}

void Win32Host::RepaintWindows() {
    ::EnumThreadWindows(::GetCurrentThreadId(), RedrawAtOnce, 0);
}

void Win32Host::Terminate(unsigned exitStatus) {
    ::ExitProcess(exitStatus);
}

}  // namespace galemend
