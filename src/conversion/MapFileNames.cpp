#include "conversion/MapFileNames.h"

namespace galemend {

namespace {
std::string Replaced(std::string_view mapPath, std::string_view ending) {
    const size_t keep = mapPath.size() >= 3 ? mapPath.size() - 3 : 0;
    return std::string(mapPath.substr(0, keep)) + std::string(ending);
}
}  // namespace

std::string OldCopyName(std::string_view mapPath) {
    return Replaced(mapPath, "old");
}
std::string FixCopyName(std::string_view mapPath) {
    return Replaced(mapPath, "fix");
}
std::string TestFileName(std::string_view mapPath) {
    return Replaced(mapPath, "tst");
}

std::string MapRevisionText(std::string_view secondLine) {
    std::string_view last =
        secondLine.size() <= 2 ? secondLine : secondLine.substr(secondLine.size() - 2);
    if (last.size() == 2 && last[0] == ' ') {
        last.remove_prefix(1);
    }
    return std::string(last);
}

}  // namespace galemend
