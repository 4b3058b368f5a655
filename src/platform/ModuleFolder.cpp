#include "platform/ModuleFolder.h"

namespace galemend {

std::string FolderOfModule(std::string_view modulePath) {
    const std::size_t slash = modulePath.rfind('\\');
    if (slash == std::string_view::npos) {
        return "";
    }
    std::string folder(modulePath.substr(0, slash));
    if (folder.size() == 2 && folder[1] == ':') {
        folder += '\\';
    }
    return folder;
}

}  // namespace galemend
