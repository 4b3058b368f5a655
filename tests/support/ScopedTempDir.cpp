#include "support/ScopedTempDir.h"

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
fs::path Under(const fs::path& root, std::string_view relative) {
    std::string native(relative);
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    return root / fs::path(native);
}
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
    std::error_code ignored;
#ifdef _WIN32
    // Attributes set by a test would keep the entries from being removed.
    for (const auto& entry : fs::recursive_directory_iterator(host_, ignored)) {
        ::SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
#endif
    fs::remove_all(host_, ignored);
}

std::string ScopedTempDir::Path() const {
    std::string text = host_.string();
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
        throw std::runtime_error("cannot write " + target.string());
    }
}

void ScopedTempDir::MakeFolder(std::string_view relative) const {
    fs::create_directories(Under(host_, relative));
}

void ScopedTempDir::MakeHidden([[maybe_unused]] std::string_view relative) const {
#ifdef _WIN32
    const std::string path = Under(host_, relative).string();
    ::SetFileAttributesA(path.c_str(), ::GetFileAttributesA(path.c_str()) | FILE_ATTRIBUTE_HIDDEN);
#endif
}

void ScopedTempDir::MakeSystem([[maybe_unused]] std::string_view relative) const {
#ifdef _WIN32
    const std::string path = Under(host_, relative).string();
    ::SetFileAttributesA(path.c_str(), ::GetFileAttributesA(path.c_str()) | FILE_ATTRIBUTE_SYSTEM);
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
