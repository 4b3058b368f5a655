#include "support/FakeSystemProbe.h"

#include <algorithm>

#include "platform/Registry.h"
#include "text/Text.h"

namespace galemend::test {

namespace {

void PutWord(std::string& block, std::size_t offset, std::uint32_t word) {
    for (std::size_t i = 0; i < 4; ++i) {
        block[offset + i] = static_cast<char>((word >> (8 * i)) & 0xFF);
    }
}

std::uint32_t High(const std::array<std::uint16_t, 4>& v) {
    return (static_cast<std::uint32_t>(v[0]) << 16) | v[1];
}
std::uint32_t Low(const std::array<std::uint16_t, 4>& v) {
    return (static_cast<std::uint32_t>(v[2]) << 16) | v[3];
}

}  // namespace

bool IgnoringCase::operator()(const std::string& a, const std::string& b) const {
    return LowerCase(a) < LowerCase(b);
}

FakeSystemProbe::FakeSystemProbe() {
    folders[0x801C] = FoundFolder("C:\\Users\\Player\\AppData\\Local");
    folders[0x8005] = FoundFolder("C:\\Users\\Player\\Documents");
    environment["windir"] = "C:\\Windows";
}

VersionRecord FakeSystemProbe::WindowsVersion() const {
    ++versionQueries;
    return version;
}

FolderPathAnswer FakeSystemProbe::SpecialFolderPath(std::uint32_t folderId) const {
    folderQueries.push_back(folderId);
    const auto found = folders.find(folderId);
    if (found == folders.end()) {
        return {0x80070057, std::string(260, '\0')};
    }
    return found->second;
}

std::string FakeSystemProbe::RegRead(const std::string& keyPath) const {
    registryCalls.push_back("read " + keyPath);
    const auto found = registry.find(keyPath);
    if (registryRefuses || found == registry.end()) {
        throw RegistryError("cannot read " + keyPath);
    }
    return found->second;
}

void FakeSystemProbe::RegWrite(const std::string& keyPath, const std::string& value,
                               const std::string& type) {
    registryCalls.push_back("write " + keyPath + "=" + value + " (" + type + ")");
    const bool known =
        type == "REG_SZ" || type == "REG_EXPAND_SZ" || type == "REG_DWORD" || type == "REG_BINARY";
    if (registryRefuses || !known) {
        throw RegistryError("cannot write " + keyPath);
    }
    registry[keyPath] = value;
}

void FakeSystemProbe::RegDelete(const std::string& keyPath) {
    registryCalls.push_back("delete " + keyPath);
    if (registryRefuses || registry.erase(keyPath) == 0) {
        throw RegistryError("cannot delete " + keyPath);
    }
}

std::optional<std::string> FakeSystemProbe::VersionRootBlock(const std::string& path) const {
    const auto found = versionBlocks.find(path);
    return found == versionBlocks.end() ? std::nullopt : found->second;
}

std::string FakeSystemProbe::EnvironmentVariable(const std::string& name) const {
    const auto found = environment.find(name);
    return found == environment.end() ? std::string() : found->second;
}

std::string FakeSystemProbe::CommandLine() const {
    return commandLine;
}

std::string FakeSystemProbe::ExecutableFolder() const {
    return executableFolder;
}

std::string FakeSystemProbe::CurrentFolder() const {
    return currentFolder;
}

FolderPathAnswer FoundFolder(const std::string& path) {
    std::string buffer = path;
    buffer.resize(260, '\0');
    return {0, buffer};
}

std::string FixedFileInfo(const std::array<std::uint16_t, 4>& productVersion,
                          const std::array<std::uint16_t, 4>& fileVersion) {
    std::string block(52, '\0');
    PutWord(block, 0, 0xFEEF04BD);  // the block's signature
    PutWord(block, 4, 0x00010000);  // its layout version
    PutWord(block, 8, High(fileVersion));
    PutWord(block, 12, Low(fileVersion));
    PutWord(block, 16, High(productVersion));
    PutWord(block, 20, Low(productVersion));
    return block;
}

}  // namespace galemend::test
