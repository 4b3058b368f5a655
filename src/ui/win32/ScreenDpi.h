#pragma once

namespace galemend {

// The system's dots per inch (96 unless the user chose larger text).
int SystemDpi();

}  // namespace galemend
