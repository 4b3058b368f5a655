#pragma once

#include <string>
#include <vector>

namespace galemend {

// What the galaxy search leaves for the conversion: the found map paths in walk order,
// followed by one empty entry. A fresh state (no search yet) holds only the empty entry.
struct SearchState {
    std::vector<std::string> galaxyList{std::string()};
};

}  // namespace galemend
