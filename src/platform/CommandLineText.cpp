#include "platform/CommandLineText.h"

namespace galemend {

namespace {
bool Blank(char c) {
    return c == ' ' || c == '\t';
}
}  // namespace

std::string ArgumentsAfterProgramName(std::string_view commandLine) {
    std::size_t at = 0;
    bool quoted = false;
    for (; at < commandLine.size(); ++at) {
        const char c = commandLine[at];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && Blank(c)) {
            break;
        }
    }
    while (at < commandLine.size() && Blank(commandLine[at])) {
        ++at;
    }
    return std::string(commandLine.substr(at));
}

}  // namespace galemend
