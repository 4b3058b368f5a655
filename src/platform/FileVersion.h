#pragma once

#include <string>

#include "platform/SystemProbe.h"

namespace galemend {

// Product version of the executable at path, as four unsigned decimal numbers joined by
// full stops ("1.0.5.12"); empty when the file is missing, carries no version resource, or
// its fixed file information cannot be read whole.
std::string GetFileVersionString(const SystemProbe& probe, const std::string& path);

}  // namespace galemend
