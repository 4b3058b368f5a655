// The lenient number reader and the counter formatting on any text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "text/Numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = galemend::LeadingNumber(text);
    if (!std::isfinite(value)) {
        std::abort();  // the reader promises a finite number
    }
    // Shown counters read back as the same number.
    if (galemend::LeadingNumber(galemend::SignedNumberText(value)) != value &&
        std::fabs(value) < 1e15 && value == std::floor(value)) {
        std::abort();
    }
    galemend::PlainNumberText(value);
    return 0;
}
