#include "ui/win32/DriveListView.h"

#include <algorithm>
#include <cctype>

namespace galemend {

namespace {

// The entry's drive, lower case: "c:".
std::string DriveOf(const std::string& entry) {
    std::string drive = entry.substr(0, 2);
    std::transform(drive.begin(), drive.end(), drive.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return drive;
}

}  // namespace

void DriveListView::Fill(const std::vector<std::string>& entries, const std::string& currentDrive) {
    ::SendMessageA(combo_, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries) {
        ::SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    current_ = DriveOf(currentDrive);
    Revert();
}

std::string DriveListView::EntryAt(LRESULT index) const {
    const LRESULT length = ::SendMessageA(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) {
        return {};
    }
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    ::SendMessageA(combo_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

std::optional<std::string> DriveListView::Chosen() const {
    std::string entry = EntryAt(::SendMessageA(combo_, CB_GETCURSEL, 0, 0));
    if (entry.size() < 2 || DriveOf(entry) == current_) {
        return std::nullopt;
    }
    return entry;
}

void DriveListView::Accept() {
    current_ = DriveOf(EntryAt(::SendMessageA(combo_, CB_GETCURSEL, 0, 0)));
}

void DriveListView::Revert() {
    const LRESULT count = ::SendMessageA(combo_, CB_GETCOUNT, 0, 0);
    LRESULT selected = -1;
    for (LRESULT i = 0; i < count; ++i) {
        if (DriveOf(EntryAt(i)) == current_) {
            selected = i;
            break;
        }
    }
    ::SendMessageA(combo_, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

}  // namespace galemend
