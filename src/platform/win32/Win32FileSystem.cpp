#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <functional>

#include "platform/RuntimeError.h"
#include "platform/win32/Win32Support.h"

namespace galemend {

namespace {

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (Valid()) {
            ::CloseHandle(handle_);
        }
    }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    // Closes now, so that a failed close can be reported.
    bool Close() {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return ::CloseHandle(handle) != 0;
    }

  private:
    HANDLE handle_;
};

class FindHandle {
  public:
    FindHandle(const std::string& pattern, WIN32_FIND_DATAW& data)
        : handle_(::FindFirstFileW(SystemPath(pattern).c_str(), &data)) {}
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    ~FindHandle() {
        if (Valid()) {
            ::FindClose(handle_);
        }
    }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAW& data) const { return ::FindNextFileW(handle_, &data) != 0; }

  private:
    HANDLE handle_;
};

bool IsFolder(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Hidden and system entries never count.
bool IsInvisible(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// Visits every entry the pattern matches. A pattern that matches nothing in an existing
// folder gives no entries; a folder that cannot be listed throws.
void ForEachEntry(const std::string& pattern,
                  const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
    WIN32_FIND_DATAW data{};
    const FindHandle find(pattern, data);
    if (!find.Valid()) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) {
            return;
        }
        throw Win32RuntimeError(error, pattern);
    }
    do {
        visit(data);
    } while (find.Next(data));
}

std::string InFolder(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() != '\\') {
        return folder + '\\' + name;
    }
    return folder + name;
}

}  // namespace

std::string Win32FileSystem::FindFirst(const std::string& pattern, EntryKinds kinds) const {
    WIN32_FIND_DATAW data{};
    const FindHandle find(pattern, data);
    if (!find.Valid()) {
        return {};
    }
    do {
        const bool skip = IsInvisible(data) || (kinds == EntryKinds::FilesOnly && IsFolder(data));
        if (!skip) {
            return Utf8FromWide(data.cFileName);
        }
    } while (find.Next(data));
    return {};
}

std::string Win32FileSystem::ReadFile(const std::string& path) const {
    Handle file(::CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        throw Win32RuntimeError(::GetLastError(), path);
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) {
        throw Win32RuntimeError(::GetLastError(), path);
    }
    if (size.QuadPart > 0x7FFFFFFF) {
        throw RuntimeError(ErrorNumber::PathFileAccessError, path + " is too large");
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!bytes.empty() &&
        !::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) {
        throw Win32RuntimeError(::GetLastError(), path);
    }
    bytes.resize(got);
    return bytes;
}

void Win32FileSystem::WriteFile(const std::string& path, std::string_view bytes) {
    Handle file(::CreateFileW(SystemPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        throw Win32RuntimeError(::GetLastError(), path);
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
        DWORD put = 0;
        if (!::WriteFile(file.Get(), bytes.data() + done, chunk, &put, nullptr) || put == 0) {
            throw Win32RuntimeError(::GetLastError(), path);
        }
        done += put;
    }
    if (!file.Close()) {
        throw Win32RuntimeError(::GetLastError(), path);
    }
}

void Win32FileSystem::Rename(const std::string& from, const std::string& to) {
    if (!::MoveFileW(SystemPath(from).c_str(), SystemPath(to).c_str())) {
        throw Win32RuntimeError(::GetLastError(), from + " -> " + to);
    }
}

void Win32FileSystem::Remove(const std::string& path) {
    if (!::DeleteFileW(SystemPath(path).c_str())) {
        throw Win32RuntimeError(::GetLastError(), path);
    }
}

std::vector<std::string> Win32FileSystem::ListFolders(const std::string& folder) const {
    std::vector<std::string> names;
    ForEachEntry(InFolder(folder, "*"), [&](const WIN32_FIND_DATAW& data) {
        if (IsFolder(data) && !IsInvisible(data) && !IsDotEntry(data.cFileName)) {
            names.push_back(Utf8FromWide(data.cFileName));
        }
    });
    return names;
}

std::vector<std::string> Win32FileSystem::ListFiles(const std::string& folder,
                                                    const std::string& pattern) const {
    std::vector<std::string> names;
    ForEachEntry(InFolder(folder, pattern), [&](const WIN32_FIND_DATAW& data) {
        if (!IsFolder(data) && !IsInvisible(data)) {
            names.push_back(Utf8FromWide(data.cFileName));
        }
    });
    return names;
}

int Win32FileSystem::CompareNames(std::string_view a, std::string_view b) const {
    // The comparison of a sorted list box.
    const std::wstring x = WideFromUtf8(a);
    const std::wstring y = WideFromUtf8(b);
    const int result =
        ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, x.data(), static_cast<int>(x.size()),
                         y.data(), static_cast<int>(y.size()));
    return result == 0 ? FileSystem::CompareNames(a, b) : result - CSTR_EQUAL;
}

}  // namespace galemend
