#include "platform/RegistryKeyPath.h"

namespace galemend {

std::optional<RegistryKeyPath> SplitRegistryKeyPath(std::string_view keyPath) {
    const std::size_t first = keyPath.find('\\');
    if (first == std::string_view::npos || first == 0) {
        return std::nullopt;
    }
    const std::size_t last = keyPath.rfind('\\');
    RegistryKeyPath path;
    path.root = std::string(keyPath.substr(0, first));
    if (last > first) {
        path.subKey = std::string(keyPath.substr(first + 1, last - first - 1));
    }
    path.valueName = std::string(keyPath.substr(last + 1));
    path.namesKey = last + 1 == keyPath.size();
    return path;
}

}  // namespace galemend
