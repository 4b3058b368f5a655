#include "platform/win32/Win32Support.h"

#include <windows.h>

#include <new>

namespace galemend {

std::wstring WideFromAnsi(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), needed);
    return wide;
}

std::string AnsiFromWide(std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = static_cast<int>(text.size());
    const int needed =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), needed, nullptr, nullptr);
    return ansi;
}

namespace {
ErrorNumber FromWin32(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return ErrorNumber::FileNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY:
            return ErrorNumber::PathNotFound;
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

Bstr::Bstr(std::string_view ansi) {
    const std::wstring wide = WideFromAnsi(ansi);
    text_ = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (text_ == nullptr) {
        throw std::bad_alloc();
    }
}

Variant::Variant(std::string_view ansi) {
    ::VariantInit(&value_);
    const std::wstring wide = WideFromAnsi(ansi);
    BSTR text = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    if (text == nullptr) {
        throw std::bad_alloc();
    }
    V_VT(&value_) = VT_BSTR;
    V_BSTR(&value_) = text;
}

std::string AnsiFromBstr(BSTR text) {
    if (text == nullptr) {
        return {};
    }
    return AnsiFromWide(std::wstring_view(text, ::SysStringLen(text)));
}

}  // namespace galemend
