#include "platform/win32/Win32Support.h"

#include <windows.h>

#include <new>

namespace galemend {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

// The code point of the UTF-8 sequence at text[at], advancing at past it; U+FFFD for a byte
// that starts no valid sequence (encoded surrogates are valid here).
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) {
        return lead;
    }
    std::size_t length = 0;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
    } else {
        return kReplacement;
    }
    if (text.size() - (at - 1) < length) {
        return kReplacement;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at - 1 + i]);
        if ((next & 0xC0) != 0x80) {
            return kReplacement;
        }
        value = (value << 6) | (next & 0x3Fu);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF) {
        return kReplacement;
    }
    at += length - 1;
    return value;
}

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char32_t c = NextCodePoint(text, at);
        if (c >= 0x10000) {
            wide += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            wide += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            wide += static_cast<wchar_t>(c);
        }
    }
    return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const wchar_t c = text[at];
        if (IsHighSurrogate(c) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
            AppendUtf8(0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                           (static_cast<char32_t>(text[++at]) - 0xDC00),
                       utf8);
        } else {
            AppendUtf8(static_cast<char32_t>(c), utf8);
        }
    }
    return utf8;
}

std::wstring SystemPath(std::string_view path) {
    std::wstring wide = WideFromUtf8(path);
    // CreateDirectory's limit (MAX_PATH less room for a file name of 8.3) is the strictest.
    constexpr std::size_t kClassicLimit = MAX_PATH - 12;
    if (wide.size() < kClassicLimit || wide.rfind(L"\\\\?\\", 0) == 0 ||
        wide.rfind(L"\\\\.\\", 0) == 0) {
        return wide;
    }
    // The \\?\ form is taken as it stands: ".", ".." and relative paths are resolved first.
    const DWORD needed = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) {
        return wide;
    }
    std::wstring full(needed, L'\0');
    const DWORD length = ::GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) {
        return wide;
    }
    full.resize(length);
    if (full.rfind(L"\\\\", 0) == 0) {
        return L"\\\\?\\UNC\\" + full.substr(2);
    }
    if (full.size() >= 2 && full[1] == L':') {
        return L"\\\\?\\" + full;
    }
    return wide;
}

namespace {
ErrorNumber FromWin32(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return ErrorNumber::FileNotFound;
        case ERROR_PATH_NOT_FOUND:
            return ErrorNumber::PathNotFound;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return ErrorNumber::BadFileName;
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS:
            return ErrorNumber::FileAlreadyExists;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return ErrorNumber::PermissionDenied;
        case ERROR_NOT_READY:
            return ErrorNumber::DiskNotReady;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ErrorNumber::DiskFull;
        case ERROR_BAD_UNIT:
        case ERROR_INVALID_DRIVE:
        case ERROR_DEV_NOT_EXIST:
            return ErrorNumber::DeviceUnavailable;
        default:
            return ErrorNumber::PathFileAccessError;
    }
}
}  // namespace

RuntimeError Win32RuntimeError(DWORD error, const std::string& detail) {
    return RuntimeError(FromWin32(error), detail);
}

Bstr::Bstr(std::string_view text) {
    const std::wstring wide = WideFromUtf8(text);
    text_ = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (text_ == nullptr) {
        throw std::bad_alloc();
    }
}

Variant::Variant(std::string_view text) {
    ::VariantInit(&value_);
    const std::wstring wide = WideFromUtf8(text);
    BSTR copy = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (copy == nullptr) {
        throw std::bad_alloc();
    }
    V_VT(&value_) = VT_BSTR;
    V_BSTR(&value_) = copy;
}

std::string Utf8FromBstr(BSTR text) {
    if (text == nullptr) {
        return {};
    }
    return Utf8FromWide(std::wstring_view(text, ::SysStringLen(text)));
}

}  // namespace galemend
