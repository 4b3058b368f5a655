#include "platform/win32/Win32Error.h"

namespace galemend {

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

}  // namespace galemend
