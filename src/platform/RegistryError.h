#pragma once

#include <stdexcept>
#include <string>

namespace galemend {

// A registry operation that the registry refused. RegistryAccess absorbs it.
class RegistryError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace galemend
