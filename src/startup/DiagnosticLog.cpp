#include "startup/DiagnosticLog.h"

#include "platform/FileSystem.h"

namespace galemend {

void DiagnosticLog::Create() {
    text_.clear();
    fs_.WriteFile(kFileName, text_);
    open_ = true;
}

void DiagnosticLog::OpenForAppending() {
    text_ = FirstFile(fs_, kFileName).empty() ? std::string() : fs_.ReadFile(kFileName);
    fs_.WriteFile(kFileName, text_);
    open_ = true;
}

void DiagnosticLog::Line(std::initializer_list<std::string_view> items) {
    if (!open_) {
        return;
    }
    std::string line;
    for (const auto item : items) {
        line.append(item);
    }
    AppendLine(text_, codePage_.Encode(line));
    fs_.WriteFile(kFileName, text_);
}

}  // namespace galemend
