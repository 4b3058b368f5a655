#include "support/ScopedTempDir.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

namespace galemend::test {

namespace fs = std::filesystem;

namespace {

// Paths are UTF-8 text, as the program's are; a narrow path would be read in another code.
fs::path FromUtf8(std::string_view text) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

std::string Utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

fs::path Under(const fs::path& root, std::string_view relative) {
    std::string native(relative);
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    return root / FromUtf8(native);
}

#ifdef _WIN32
void AddAttribute(const fs::path& path, DWORD attribute) {
    ::SetFileAttributesW(path.c_str(), ::GetFileAttributesW(path.c_str()) | attribute);
}

// Removes a folder with everything in it. Given in the \\?\ form, it reaches paths of any
// length, which std::filesystem does not; attributes set by a test are cleared first.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = folder + L"\\" + name;
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(path);
            } else {
                ::DeleteFileW(path.c_str());
            }
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
}
#endif

}  // namespace

ScopedTempDir::ScopedTempDir() {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::ostringstream name;
        name << "galemend-test-" << random() << '-' << counter++;
        const fs::path candidate = fs::temp_directory_path() / name.str();
        if (fs::create_directory(candidate)) {
            host_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

ScopedTempDir::~ScopedTempDir() {
#ifdef _WIN32
    std::wstring folder = host_.wstring();
    std::replace(folder.begin(), folder.end(), L'/', L'\\');
    RemoveTree(L"\\\\?\\" + folder);
#else
    std::error_code ignored;
    fs::remove_all(host_, ignored);
#endif
}

std::string ScopedTempDir::Path() const {
    std::string text = Utf8Of(host_);
#ifdef _WIN32
    for (char& c : text) {
        if (c == '/') {
            c = '\\';
        }
    }
#endif
    while (text.size() > 1 && text.back() == '\\') {
        text.pop_back();
    }
    return text;
}

std::string ScopedTempDir::Path(std::string_view relative) const {
    std::string text(relative);
    for (char& c : text) {
        if (c == '/') {
            c = '\\';
        }
    }
    return Path() + '\\' + text;
}

void ScopedTempDir::Write(std::string_view relative, std::string_view bytes) const {
    const fs::path target = Under(host_, relative);
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + Utf8Of(target));
    }
}

void ScopedTempDir::MakeFolder(std::string_view relative) const {
    fs::create_directories(Under(host_, relative));
}

void ScopedTempDir::MakeHidden([[maybe_unused]] std::string_view relative) const {
#ifdef _WIN32
    AddAttribute(Under(host_, relative), FILE_ATTRIBUTE_HIDDEN);
#endif
}

void ScopedTempDir::MakeSystem([[maybe_unused]] std::string_view relative) const {
#ifdef _WIN32
    AddAttribute(Under(host_, relative), FILE_ATTRIBUTE_SYSTEM);
#endif
}

bool ScopedTempDir::Exists(std::string_view relative) const {
    return fs::exists(Under(host_, relative));
}

std::string ScopedTempDir::Read(std::string_view relative) const {
    std::ifstream in(Under(host_, relative), std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + std::string(relative));
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace galemend::test
