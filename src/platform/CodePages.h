#pragma once

#include <memory>

#include "text/CodePage.h"

namespace galemend {

// The code page numbers of UTF-8 as an ANSI code page (a Windows option) and of the
// Western default.
inline constexpr unsigned kUtf8CodePage = 65001;
inline constexpr unsigned kWesternCodePage = 1252;

// The ANSI code page with this number, its tables built from the system's own conversion
// the first time it is asked for and shared afterwards. Throws std::invalid_argument when
// the system does not know the number.
CodePage SystemCodePage(unsigned number);

// The system's conversion for a code page (MultiByteToWideChar and WideCharToMultiByte on
// Windows; natively the tables taken from Wine's, platform/posix/CodePageTables.h), or
// nullptr when the system has none for the number.
std::unique_ptr<CodePageSource> SystemCodePageSource(unsigned number);

}  // namespace galemend
