#include "platform/AppPath.h"

namespace galemend {

std::string App_Path(const SystemProbe& probe) {
    std::string folder = probe.ExecutableFolder();
    // Only a drive root ("C:\") comes with its backslash already.
    if (folder.empty() || folder.back() != '\\') {
        folder += '\\';
    }
    return folder;
}

}  // namespace galemend
