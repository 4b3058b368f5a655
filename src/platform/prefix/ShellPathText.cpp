#include "platform/prefix/ShellPathText.h"

#include <algorithm>
#include <fstream>

#include "platform/Registry.h"

namespace galemend {

namespace {

constexpr std::size_t kMaxPath = 260;  // characters of a path buffer, its NUL included

std::size_t Units(std::string_view text) {
    return Utf16FromUtf8(text).size();
}

bool HasDrive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':';
}

// "." elements dropped, ".." taking the element before it away, never the drive's root.
std::string Canonical(const std::string& path) {
    std::size_t rootLength = !path.empty() && path[0] == '\\' ? 1 : 0;
    if (HasDrive(path)) {
        rootLength = path.size() > 2 && path[2] == '\\' ? 3 : 2;
    }
    std::string out = path.substr(0, rootLength);
    std::size_t at = rootLength;
    while (at <= path.size()) {
        const std::size_t end = std::min(path.find('\\', at), path.size());
        const std::string_view element = std::string_view(path).substr(at, end - at);
        if (element == "." && end < path.size()) {
            // dropped with its backslash
        } else if (element == "..") {
            const std::size_t keep = out.size() > rootLength ? out.rfind('\\', out.size() - 2) : 0;
            out.resize(keep == std::string::npos || keep < rootLength ? rootLength : keep + 1);
        } else {
            out.append(element);
            if (end < path.size()) {
                out += '\\';
            }
        }
        at = end + 1;
    }
    if (out.size() == 2 && HasDrive(out)) {
        out += '\\';
    }
    return out.empty() ? "\\" : out;
}

}  // namespace

std::string ShellPathAppend(const std::string& path, std::string more) {
    if (more.substr(0, 2) != "\\\\") {
        more.erase(0, more.find_first_not_of('\\') == std::string::npos
                          ? more.size()
                          : more.find_first_not_of('\\'));
    }
    if (more.empty()) {
        return Canonical(path);
    }
    if (path.empty() || HasDrive(more) || more[0] == '\\') {
        return Canonical(more);
    }
    const std::string joined = path.back() == '\\' ? path : path + '\\';
    if (Units(joined) + Units(more) >= kMaxPath) {
        return "";
    }
    return Canonical(joined + more);
}

std::optional<std::string> XdgUserFolder(const std::string& file, std::string_view variable) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        std::string_view p = line;
        const auto skipBlanks = [&] {
            while (!p.empty() && (p.front() == ' ' || p.front() == '\t')) {
                p.remove_prefix(1);
            }
        };
        skipBlanks();
        if (p.substr(0, variable.size()) != variable) {
            continue;
        }
        p.remove_prefix(variable.size());
        skipBlanks();
        if (p.empty() || p.front() != '=') {
            continue;
        }
        p.remove_prefix(1);
        skipBlanks();
        if (p.empty() || p.front() != '"') {
            continue;
        }
        p.remove_prefix(1);
        if (p.substr(0, 1) != "/" && p.substr(0, 6) != "$HOME/") {
            continue;
        }
        std::string value;
        for (; !p.empty() && p.front() != '"'; p.remove_prefix(1)) {
            if (p.front() == '\\' && p.size() > 1) {
                p.remove_prefix(1);
            }
            value += p.front();
        }
        return p.empty() ? std::nullopt : std::optional<std::string>(value);
    }
    return std::nullopt;
}

}  // namespace galemend
