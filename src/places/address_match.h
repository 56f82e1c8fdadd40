#pragma once
// Matching a query against the place names of an index (used by Locate).
#include <string_view>
#include <vector>

#include "places/locate.h"

// The places whose names the Shift-JIS query matches, best first, at most `limit`.
std::vector<TPlaceMatch> MatchAddress(const TPlaceIndex& index, std::string_view querySjis, size_t limit);
