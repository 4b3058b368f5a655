#pragma once

#include <memory>

#include "platform/FileSystem.h"

namespace galemend::test {

// The real-disk backend of the build: POSIX natively, Win32 in the Windows build.
std::unique_ptr<FileSystem> MakeHostFileSystem();

}  // namespace galemend::test
