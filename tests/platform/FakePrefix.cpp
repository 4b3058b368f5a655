#include "FakePrefix.h"

#include <sys/xattr.h>

#include <filesystem>
#include <stdexcept>

namespace galemend::test {

namespace fs = std::filesystem;

FakePrefix::FakePrefix() {
    fs::create_directories(dir_.Host() / "drive_c");
    fs::create_directories(dir_.Host() / "dosdevices");
    AddDrive('c', "../drive_c");
    AddDrive('z', "/");
}

std::string FakePrefix::Path() const {
    return dir_.Host().string();
}

std::string FakePrefix::OnC(std::string_view relative) const {
    return (dir_.Host() / "drive_c" / std::string(relative)).string();
}

void FakePrefix::AddDrive(char letter, const std::string& target) const {
    fs::create_symlink(target, dir_.Host() / "dosdevices" / (std::string(1, letter) + ":"));
}

void FakePrefix::Write(std::string_view relative, std::string_view bytes) const {
    dir_.Write("drive_c/" + std::string(relative), bytes);
}

void FakePrefix::MakeFolder(std::string_view relative) const {
    dir_.MakeFolder("drive_c/" + std::string(relative));
}

bool FakePrefix::Exists(std::string_view relative) const {
    return dir_.Exists("drive_c/" + std::string(relative));
}

std::string FakePrefix::Read(std::string_view relative) const {
    return dir_.Read("drive_c/" + std::string(relative));
}

void FakePrefix::SetDosAttributes(std::string_view relative, std::string_view value) const {
    if (::setxattr(OnC(relative).c_str(), "user.DOSATTRIB", value.data(), value.size(), 0) != 0) {
        throw std::runtime_error("cannot set user.DOSATTRIB on " + std::string(relative));
    }
}

}  // namespace galemend::test
