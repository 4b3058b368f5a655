#include "platform/SpecialFolders.h"

#include <cstdint>

namespace galemend {

namespace {

constexpr std::uint32_t kCreateIfMissing = 0x8000;  // CSIDL_FLAG_CREATE
constexpr std::uint32_t kLocalAppData = 0x1C;       // CSIDL_LOCAL_APPDATA
constexpr std::uint32_t kPersonal = 0x05;           // CSIDL_PERSONAL

constexpr std::uint32_t kFound = 0;
constexpr std::uint32_t kFolderMissing = 1;             // S_FALSE
constexpr std::uint32_t kInvalidFolderId = 0x80070057;  // E_INVALIDARG

std::string FolderPath(SystemProbe& probe, std::uint32_t folderId) {
    const FolderPathAnswer answer = probe.SpecialFolderPath(folderId);
    // The status codes are tested in this order; only the two named ones are reported.
    if (answer.status == kInvalidFolderId) {
        probe.ShowMessage("An invalid folder ID was specified");
        return "";
    }
    if (answer.status == kFound) {
        return answer.buffer.substr(0, answer.buffer.find('\0'));
    }
    if (answer.status == kFolderMissing) {
        probe.ShowMessage("The folder does not exist");
    }
    return "";
}

}  // namespace

std::string GetLocalAppDataPath(SystemProbe& probe) {
    return FolderPath(probe, kLocalAppData | kCreateIfMissing);
}

std::string GetMyDocumentsPath(SystemProbe& probe) {
    return FolderPath(probe, kPersonal | kCreateIfMissing);
}

}  // namespace galemend
