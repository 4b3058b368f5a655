#include "WineTestSupport.h"

#include <shlwapi.h>

#include <stdexcept>
#include <vector>

namespace galemend::test {

namespace {

class OwnedHandle {
  public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() { Close(); }
    HANDLE Get() const { return handle_; }
    HANDLE* Receive() { return &handle_; }
    void Close() {
        if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle_);
        }
        handle_ = nullptr;
    }

  private:
    HANDLE handle_ = nullptr;
};

}  // namespace

std::string WinePathOf(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

ChildResult RunChild(const std::string& commandLine) {
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    OwnedHandle readEnd;
    OwnedHandle writeEnd;
    if (!::CreatePipe(readEnd.Receive(), writeEnd.Receive(), &inheritable, 0) ||
        !::SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0)) {
        throw std::runtime_error("cannot make a pipe");
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd.Get();
    startup.hStdError = writeEnd.Get();
    PROCESS_INFORMATION process{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &process)) {
        throw std::runtime_error("cannot start " + commandLine);
    }
    const OwnedHandle processHandle(process.hProcess);
    const OwnedHandle threadHandle(process.hThread);
    writeEnd.Close();  // so that reading ends when the child does

    ChildResult result;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(readEnd.Get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) {
        result.output.append(buffer, got);
    }
    ::WaitForSingleObject(processHandle.Get(), INFINITE);
    ::GetExitCodeProcess(processHandle.Get(), &result.exitCode);
    return result;
}

void DeleteRegistryTree(HKEY root, const std::string& subKey) {
    ::SHDeleteKeyA(root, subKey.c_str());
}

}  // namespace galemend::test
