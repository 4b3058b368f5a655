#include "platform/win32/Win32SystemProbe.h"

#include <windows.h>

#include <shlobj.h>
#include <winver.h>

#include <utility>
#include <vector>

#include "platform/SystemFacts.h"
#include "platform/win32/NativeRegistry.h"
#include "platform/win32/ScriptShellRegistry.h"
#include "platform/win32/Win32Support.h"
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
    std::wstring buffer(kFolderBufferSize, L'\0');
    const HRESULT status =
        ::SHGetFolderPathW(nullptr, static_cast<int>(folderId), nullptr, 0, buffer.data());
    FolderPathAnswer answer;
    answer.status = static_cast<std::uint32_t>(status);
    answer.buffer = Utf8FromWide(buffer);
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
    const std::wstring file = SystemPath(path);
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size < 1) {
        return std::nullopt;
    }
    std::vector<char> resource(static_cast<std::size_t>(size) + 1, '\0');
    if (!::GetFileVersionInfoW(file.c_str(), 0, size, resource.data())) {
        return std::string();
    }
    void* root = nullptr;
    UINT length = 0;
    wchar_t rootName[] = L"\\";
    if (!::VerQueryValueW(resource.data(), rootName, &root, &length) || root == nullptr) {
        return std::string();
    }
    return std::string(static_cast<const char*>(root), length);
}

std::string Win32SystemProbe::EnvironmentVariable(const std::string& name) const {
    const std::wstring wideName = WideFromUtf8(name);
    std::wstring value(64, L'\0');
    for (;;) {
        const DWORD needed = ::GetEnvironmentVariableW(wideName.c_str(), value.data(),
                                                       static_cast<DWORD>(value.size()));
        if (needed < value.size()) {
            value.resize(needed);  // 0 when the variable is not set
            return Utf8FromWide(value);
        }
        value.assign(needed, L'\0');
    }
}

std::string Win32SystemProbe::CommandLine() const {
    return ArgumentsAfterProgramName(Utf8FromWide(::GetCommandLineW()));
}

std::string Win32SystemProbe::ExecutableFolder() const {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return FolderOfModule(Utf8FromWide(path));
        }
        path.assign(path.size() * 2, L'\0');  // cut short: try again with more room
    }
}

unsigned Win32SystemProbe::AnsiCodePage() const {
    return ::GetACP();
}

std::string Win32SystemProbe::CurrentFolder() const {
    std::wstring folder(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
        if (length < folder.size()) {
            folder.resize(length);  // 0 on failure
            return Utf8FromWide(folder);
        }
        folder.assign(length, L'\0');  // too small: length is the room needed
    }
}

void Win32Host::ShowMessage(const std::string& text) {
    // Owned by the window that is active, so that the message is modal to it.
    ::MessageBoxW(::GetActiveWindow(), WideFromUtf8(text).c_str(), L"galemend", MB_OK);
}

void Win32Host::ProcessPendingEvents() {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit request for the window's own message loop.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        // Keyboard navigation keeps working while a long search pumps the events.
        const HWND top = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (top == nullptr || !::IsDialogMessageW(top, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
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
