#include "Session.h"

#include <shlobj.h>
#include <winver.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "RemoteTooltips.h"
#include "Text.h"
#include "WindowFacts.h"

namespace galemend::e2e {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr DWORD kPollMs = 10;
constexpr milliseconds kPaintSettleMs{300};

std::string Hex(unsigned long value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lx", value);
    return text;
}

std::string VersionWords(DWORD high, DWORD low) {
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
           std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

int RequireId(const std::vector<std::string>& args, size_t at, std::string_view command) {
    if (args.size() <= at) {
        throw DriverError(std::string(command) + ": control id missing");
    }
    return static_cast<int>(ParseNumber(args[at], command));
}

const std::string& RequireArg(const std::vector<std::string>& args, size_t at,
                              std::string_view command) {
    if (args.size() <= at) {
        throw DriverError(std::string(command) + ": argument missing");
    }
    return args[at];
}

}  // namespace

Session::~Session() {
    if (Running()) {
        TerminateProcess(child_->process.get(), 99);
        WaitForSingleObject(child_->process.get(), 5000);
    }
}

void Session::Line(const std::string& tag, const std::string& rest) {
    std::fprintf(out_, "%s %s\n", tag.c_str(), rest.c_str());
    std::fflush(out_);
}

void Session::Run(const std::string& line) {
    if (line.empty() || line[0] == '#') {
        return;
    }
    std::fprintf(out_, "> %s\n", line.c_str());
    std::fflush(out_);
    const auto [command, rest] = SplitWord(line);
    const std::vector<std::string> args = Words(rest);
    if (command == "timeout") {
        timeoutMs_ = static_cast<DWORD>(ParseNumber(RequireArg(args, 0, command), command));
    } else if (command == "cd") {
        folder_ = rest;
    } else if (command == "start") {
        Start(rest);
    } else if (command == "window") {
        const auto [tag, prefix] = SplitWord(rest);
        FindMainWindow(tag, prefix);
    } else if (command == "controls") {
        Controls(RequireArg(args, 0, command));
    } else if (command == "tooltips") {
        ToolTips(RequireArg(args, 0, command));
    } else if (command == "click") {
        Click(RequireId(args, 0, command));
    } else if (command == "select" || command == "dblclick") {
        const auto [id, item] = SplitWord(rest);
        Choose(static_cast<int>(ParseNumber(id, command)), item, command == "dblclick");
    } else if (command == "idle") {
        Idle();
    } else if (command == "msgbox") {
        MessageBoxFacts(RequireArg(args, 0, command));
    } else if (command == "answer") {
        Answer(args.empty() ? IDOK : RequireId(args, 0, command));
    } else if (command == "exit") {
        Exit(RequireArg(args, 0, command));
    } else if (command == "close") {
        PostMessageW(RequireMain(), WM_CLOSE, 0, 0);
    } else if (command == "kill") {
        TerminateProcess(RequireChild().process.get(), 99);
        WaitFor([this] { return !Running(); }, "the killed program to end");
        child_.reset();
    } else if (command == "shots") {
        shotsFolder_ = rest;
    } else if (command == "screenshot") {
        Screenshot(RequireArg(args, 0, command));
    } else if (command == "version") {
        const auto [tag, path] = SplitWord(rest);
        Version(tag, path);
    } else if (command == "folders") {
        Folders(RequireArg(args, 0, command));
    } else if (command == "env") {
        const std::string& tag = RequireArg(args, 0, command);
        for (size_t i = 1; i < args.size(); ++i) {
            const DWORD size = GetEnvironmentVariableA(args[i].c_str(), nullptr, 0);
            std::string value(size, '\0');
            value.resize(GetEnvironmentVariableA(args[i].c_str(), value.data(), size));
            Line(tag, args[i] + " " + Escape(value));
        }
    } else if (command == "sleep") {
        const auto until =
            Clock::now() + milliseconds(ParseNumber(RequireArg(args, 0, command), command));
        WaitFor([until] { return Clock::now() >= until; }, "sleep");
    } else {
        throw DriverError("unknown command: " + command);
    }
}

void Session::Finish() {
    if (Running()) {
        throw DriverError("the program is still running at the end of the script");
    }
}

void Session::Abort() {
    if (!Running()) {
        return;
    }
    if (HWND box = FindMessageBox()) {
        Line("error-box", Escape(BoxText(box)));
    }
    TerminateProcess(child_->process.get(), 99);
    WaitForSingleObject(child_->process.get(), 5000);
    child_.reset();
}

template <class Ready>
void Session::WaitFor(Ready ready, const std::string& what) {
    const auto deadline = Clock::now() + milliseconds(timeoutMs_);
    for (;;) {
        PumpMessages();
        Observe();
        if (ready()) {
            return;
        }
        if (Clock::now() >= deadline) {
            throw DriverError("timed out after " + std::to_string(timeoutMs_) + " ms waiting for " +
                              what);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    }
}

// Remembers every window the program has shown, so that a run can be said to show none.
void Session::Observe() {
    if (!Running()) {
        return;
    }
    for (HWND window : TopWindowsOf(child_->id)) {
        if (IsWindowVisible(window)) {
            seenWindows_.insert(window);
        }
    }
}

bool Session::Running() const {
    return child_ && WaitForSingleObject(child_->process.get(), 0) == WAIT_TIMEOUT;
}

Session::Child& Session::RequireChild() {
    if (!child_) {
        throw DriverError("no program was started");
    }
    return *child_;
}

HWND Session::RequireMain() {
    if (main_ == nullptr || !IsWindow(main_)) {
        throw DriverError("the program's window is not there");
    }
    return main_;
}

// A box found here counts as shown even if it closes before the next look (Observe), which
// an answered box may do at once.
HWND Session::FindMessageBox() {
    if (!child_) {
        return nullptr;
    }
    for (HWND window : TopWindowsOf(child_->id)) {
        if (IsMessageBox(window)) {
            seenWindows_.insert(window);
            return window;
        }
    }
    return nullptr;
}

std::string Session::BoxText(HWND box) {
    const auto text = SentText(GetDlgItem(box, 0xFFFF), timeoutMs_);
    return text ? *text : std::string("<unreadable>");
}

DWORD Session::ExitCode() {
    DWORD code = 0;
    GetExitCodeProcess(RequireChild().process.get(), &code);
    return code;
}

void Session::Start(const std::string& commandLine) {
    if (Running()) {
        throw DriverError("start: the previous program is still running");
    }
    // CreateProcessA may write into the command line; the raw text reaches the program as is.
    std::vector<char> text(commandLine.begin(), commandLine.end());
    text.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, text.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.empty() ? nullptr : folder_.c_str(), &startup, &info)) {
        throw DriverError("start: CreateProcess failed with error " +
                          std::to_string(GetLastError()) + " for: " + commandLine);
    }
    child_.emplace(
        Child{UniqueHandle(info.hProcess), UniqueHandle(info.hThread), info.dwProcessId});
    main_ = nullptr;
    clickPending_ = false;
    seenWindows_.clear();
}

void Session::FindMainWindow(const std::string& tag, const std::string& captionPrefix) {
    const DWORD id = RequireChild().id;
    HWND found = nullptr;
    HWND box = nullptr;
    WaitFor(
        [&] {
            for (HWND window : TopWindowsOf(id)) {
                if (!IsWindowVisible(window)) {
                    continue;
                }
                if (IsMessageBox(window)) {
                    box = window;
                } else if (CaptionOf(window).rfind(captionPrefix, 0) == 0) {
                    found = window;
                }
            }
            return found != nullptr || box != nullptr || !Running();
        },
        "the window \"" + captionPrefix + "\"");
    if (found == nullptr && box != nullptr) {
        throw DriverError("a message box came instead of the window: " + Escape(BoxText(box)));
    }
    if (found == nullptr) {
        throw DriverError("the program ended with status " + std::to_string(ExitCode()) +
                          " before its window appeared");
    }
    main_ = found;
    seenWindows_.insert(found);
    // A window may show itself before its controls exist; read it once start-up is over.
    Idle();
    RECT client{};
    GetClientRect(main_, &client);
    Line(tag, "caption " + Escape(CaptionOf(main_)));
    Line(tag, "client " + std::to_string(client.right) + " " + std::to_string(client.bottom));
}

void Session::Controls(const std::string& tag) {
    HWND main = RequireMain();
    int order = 0;
    for (HWND control : ChildrenOf(main)) {
        const std::string id = tag + " " + std::to_string(GetDlgCtrlID(control));
        const RECT rect = RectIn(control, main);
        Line(id, "class " + ClassOf(control));
        const auto text = SentText(control, timeoutMs_);
        Line(id, "text " + (text ? Escape(*text) : std::string("<unreadable>")));
        Line(id, "rect " + std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                     std::to_string(rect.right - rect.left) + " " +
                     std::to_string(rect.bottom - rect.top));
        Line(id, std::string("enabled ") + (IsWindowEnabled(control) ? "1" : "0"));
        const auto style = static_cast<unsigned long>(GetWindowLongA(control, GWL_STYLE));
        Line(id, std::string("visible ") + ((style & WS_VISIBLE) != 0 ? "1" : "0"));
        Line(id, "style " + Hex(style));
        Line(id, "order " + std::to_string(order++));
        if (const auto list = ListItems(control, timeoutMs_)) {
            Line(id, "count " + std::to_string(list->items.size()));
            for (size_t i = 0; i < list->items.size(); ++i) {
                Line(id, "item " + std::to_string(i) + " " + Escape(list->items[i]));
            }
            Line(id, "selected " + std::to_string(list->selected));
        }
    }
    std::string chain = "tabchain";
    for (HWND control : TabChain(main)) {
        chain += " " + std::to_string(GetDlgCtrlID(control));
    }
    Line(tag, chain);
    Line(tag, "controls " + std::to_string(order));
}

void Session::ToolTips(const std::string& tag) {
    RequireMain();
    const Child& child = RequireChild();
    for (const ToolTipFact& tip : ReadToolTips(child.process.get(), child.id, timeoutMs_)) {
        std::string id = std::to_string(GetDlgCtrlID(tip.tool));
        if (tip.id != 0) {
            id += ":" + std::to_string(tip.id);
        }
        Line(tag, id + " tooltip " + Escape(tip.text));
    }
}

void CALLBACK Session::ClickReplied(HWND, UINT, ULONG_PTR session, LRESULT) {
    reinterpret_cast<Session*>(session)->clickPending_ = false;
}

void Session::SendClick(HWND button) {
    clickPending_ = true;
    if (!SendMessageCallbackW(button, BM_CLICK, 0, 0, ClickReplied,
                              reinterpret_cast<ULONG_PTR>(this))) {
        clickPending_ = false;
        throw DriverError("click: the message could not be sent");
    }
}

// A click runs the handler to its end; a message box it opens ends the wait early, and the
// scenario answers it.
void Session::Click(int id) {
    if (clickPending_) {
        throw DriverError("click: the previous click has not returned yet");
    }
    HWND button = GetDlgItem(RequireMain(), id);
    if (button == nullptr) {
        throw DriverError("click: no control " + std::to_string(id));
    }
    // Wine runs the handler of a disabled button on BM_CLICK; a user could not click it.
    if (!IsWindowEnabled(button) || !IsWindowVisible(button)) {
        throw DriverError("click: control " + std::to_string(id) + " is disabled or hidden");
    }
    SendClick(button);
    WaitFor([this] { return !clickPending_ || FindMessageBox() != nullptr || !Running(); },
            "the click on " + std::to_string(id) + " to return");
}

// What a list or combo box does when the user picks an item with the mouse: select it and
// tell the window, which runs the handler (Drive1_Change, or Dir1's browsing).
void Session::Choose(int id, const std::string& item, bool doubleClick) {
    if (clickPending_) {
        throw DriverError("select: the previous click has not returned yet");
    }
    HWND main = RequireMain();
    HWND list = GetDlgItem(main, id);
    const auto facts = list == nullptr ? std::nullopt : ListItems(list, timeoutMs_);
    if (!facts) {
        throw DriverError("select: no list or combo box " + std::to_string(id));
    }
    const auto found = std::find(facts->items.begin(), facts->items.end(), item);
    if (found == facts->items.end()) {
        throw DriverError("select: control " + std::to_string(id) + " has no item " + item);
    }
    const bool combo = _stricmp(ClassOf(list).c_str(), "ComboBox") == 0;
    const auto index = static_cast<WPARAM>(found - facts->items.begin());
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(list, combo ? CB_SETCURSEL : LB_SETCURSEL, index, 0, SMTO_NORMAL,
                        timeoutMs_, &ignored);
    WORD notification = combo ? CBN_SELCHANGE : LBN_SELCHANGE;
    if (doubleClick) {
        notification = combo ? CBN_DBLCLK : LBN_DBLCLK;
    }
    clickPending_ = true;
    if (!SendMessageCallbackW(main, WM_COMMAND, MAKEWPARAM(id, notification),
                              reinterpret_cast<LPARAM>(list), ClickReplied,
                              reinterpret_cast<ULONG_PTR>(this))) {
        clickPending_ = false;
        throw DriverError("select: the message could not be sent");
    }
    WaitFor([this] { return !clickPending_ || FindMessageBox() != nullptr || !Running(); },
            "the choice in " + std::to_string(id) + " to be handled");
}

void Session::Idle() {
    RequireChild();
    HWND box = nullptr;
    WaitFor(
        [&] {
            box = FindMessageBox();
            return !clickPending_ || box != nullptr || !Running();
        },
        "the program to become idle");
    if (box != nullptr) {
        throw DriverError("idle: a message box is open: " + Escape(BoxText(box)));
    }
    if (!Running()) {
        return;
    }
    const DWORD waited = WaitForInputIdle(child_->process.get(), timeoutMs_);
    if (waited == WAIT_TIMEOUT) {
        throw DriverError("idle: the program did not become idle");
    }
    DWORD_PTR ignored = 0;
    if (main_ != nullptr &&
        !SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs_, &ignored) &&
        Running()) {
        throw DriverError("idle: the window does not answer");
    }
}

HWND Session::WaitForMessageBoxOrEnd(const std::string& what) {
    HWND box = nullptr;
    WaitFor(
        [&] {
            box = FindMessageBox();
            return box != nullptr || !Running();
        },
        what);
    return box;
}

void Session::MessageBoxFacts(const std::string& tag) {
    RequireChild();
    const HWND box = WaitForMessageBoxOrEnd("a message box");
    if (box == nullptr) {
        throw DriverError("msgbox: the program ended with status " + std::to_string(ExitCode()) +
                          " without a message box");
    }
    Line(tag, "caption " + Escape(CaptionOf(box)));
    Line(tag, "text " + Escape(BoxText(box)));
    for (HWND control : ChildrenOf(box)) {
        if (_stricmp(ClassOf(control).c_str(), "Button") == 0) {
            const auto text = SentText(control, timeoutMs_);
            Line(tag, "button " + std::to_string(GetDlgCtrlID(control)) + " " +
                          Escape(text ? *text : std::string()));
        }
    }
}

void Session::Answer(int id) {
    HWND box = FindMessageBox();
    if (box == nullptr) {
        throw DriverError("answer: no message box is open");
    }
    HWND button = GetDlgItem(box, id);
    if (button == nullptr) {
        throw DriverError("answer: the message box has no button " + std::to_string(id));
    }
    PostMessageW(button, BM_CLICK, 0, 0);
    WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box) || !Running(); },
            "the message box to close");
    // The click that opened the box returns once it is closed, or the program ends.
    WaitFor([this] { return !clickPending_ || FindMessageBox() != nullptr || !Running(); },
            "the handler behind the message box to return");
}

void Session::Exit(const std::string& tag) {
    RequireChild();
    const HWND box = WaitForMessageBoxOrEnd("the program to end");
    if (box != nullptr) {
        throw DriverError("exit: a message box is open: " + Escape(BoxText(box)));
    }
    Line(tag, "exit " + std::to_string(ExitCode()));
    Line(tag, "windows " + std::to_string(seenWindows_.size()));
    child_.reset();
    main_ = nullptr;
    clickPending_ = false;
}

// The scenario script takes the picture: it waits for NAME.ready, takes it, and answers
// with NAME.done.
void Session::Screenshot(const std::string& name) {
    if (shotsFolder_.empty()) {
        throw DriverError("screenshot: no shots folder given");
    }
    if (main_ != nullptr && IsWindow(main_)) {
        RedrawWindow(main_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        Idle();
        const auto until = Clock::now() + kPaintSettleMs;
        WaitFor([until] { return Clock::now() >= until; }, "the window to paint");
    }
    const std::string ready = shotsFolder_ + "\\" + name + ".ready";
    const std::string done = shotsFolder_ + "\\" + name + ".done";
    UniqueHandle file(
        CreateFileA(ready.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        throw DriverError("screenshot: cannot create " + ready);
    }
    file.reset();
    WaitFor([&] { return FileExists(done); }, "the screenshot " + name);
}

void Session::Version(const std::string& tag, const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) {
        Line(tag, "none");
        return;
    }
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) {
        throw DriverError("version: cannot read the version resource of " + path);
    }
    void* data = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", &data, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(data);
        Line(tag, "product " + VersionWords(fixed->dwProductVersionMS, fixed->dwProductVersionLS));
        Line(tag, "file " + VersionWords(fixed->dwFileVersionMS, fixed->dwFileVersionLS));
    }
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &data, &length) || length < 4) {
        return;
    }
    const auto* language = static_cast<const WORD*>(data);
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04x%04x\\", language[0], language[1]);
    for (const char* name : {"ProductName", "ProductVersion", "FileVersion", "InternalName",
                             "OriginalFilename", "FileDescription", "CompanyName"}) {
        const std::string query = std::string(prefix) + name;
        if (VerQueryValueA(block.data(), query.c_str(), &data, &length) && length > 0) {
            Line(tag, std::string(name) + " " + Escape(static_cast<const char*>(data)));
        }
    }
}

// The folders a player's programs see in this prefix, and the Windows it reports.
void Session::Folders(const std::string& tag) {
    const std::pair<const char*, int> folders[] = {{"localappdata", CSIDL_LOCAL_APPDATA},
                                                   {"documents", CSIDL_PERSONAL}};
    for (const auto& [name, id] : folders) {
        char path[MAX_PATH] = {};
        const HRESULT status = SHGetFolderPathA(nullptr, id | CSIDL_FLAG_CREATE, nullptr, 0, path);
        Line(tag, std::string(name) + " " + (status == S_OK ? Escape(path) : Hex(status)));
    }
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL known = GetVersionExA(&version);
#pragma GCC diagnostic pop
    if (known) {
        Line(tag, "winver " + std::to_string(version.dwPlatformId) + " " +
                      std::to_string(version.dwMajorVersion) + "." +
                      std::to_string(version.dwMinorVersion));
    }
}

}  // namespace galemend::e2e
