#pragma once

#include <memory>
#include <span>

#include "text/CodePage.h"

namespace galemend {

// The ANSI code pages Wine can choose (but UTF-8), as tables taken from Wine's own conversion
// by scripts/make-codepage-tables and compiled in: the native program decodes and writes file
// content exactly as the Windows program does under Wine, with nothing to load at run time.
// Natively these tables are the system's code pages (SystemCodePageSource).

// The numbers of the code pages with a table, ascending.
std::span<const unsigned> TabledCodePages();

// The conversion of the code page as its table has it, or nullptr when it has no table.
std::unique_ptr<CodePageSource> TableCodePageSource(unsigned number);

}  // namespace galemend
