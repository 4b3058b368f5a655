#pragma once

#include <stdexcept>
#include <string>

namespace galemend {

// A map that cannot be converted with the templates at hand. The message names the file
// and, where it applies, the template line and the map line (both counted from 1).
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace galemend
