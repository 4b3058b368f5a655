#pragma once

#include <iosfwd>
#include <optional>

#include "linux/NativeRun.h"
#include "linux/prefixes/PrefixSearch.h"

namespace galemend {

// --list: each prefix that holds the game to out, the search's notes to err. Returns the exit
// status: 0, or BadPrefix when none was found (err then says where it looked).
unsigned ListPrefixes(const SearchResult& search, const SearchPlaces& places, std::ostream& out,
                      std::ostream& err);

// The prefix the command line chooses: the folder --prefix names (the search's description
// of it when the search found it, by whatever road), the one Proton prefix of --appid, or
// the only prefix found. Nothing, with the reason and the candidates on err, otherwise; a
// --prefix that is no prefix is left to the native run to explain.
std::optional<GamePrefix> ChoosePrefix(const NativeOptions& options, const SearchResult& search,
                                       const SearchPlaces& places, std::ostream& err);

}  // namespace galemend
