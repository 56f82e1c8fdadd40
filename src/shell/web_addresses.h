#pragma once
// The web addresses of the two toolbar searches, built from the address at
// the map centre (Shift-JIS). Both percent-encode their texts as one query
// value each (UrlEncodeQueryValue).
#include <string>

#include "shell/search_engines.h"

// The yellow-pages service's search page, up to but not including "?".
inline constexpr const char* kTownPageSearchUrl = "https://itp.ne.jp/search";

// The engine's BaseUrl + "?" + QueryPrefix + the search text: a double
// quote, the centre's prefecture, city and chome names run together, and a
// double quote, encoded for the engine: UTF8 converts the Shift-JIS text to
// UTF-8 first, SJIS takes it unchanged, EUC converts it with SjisToEuc. The
// quotes stay unencoded, so the engine receives a quoted phrase.
std::string WebSearchAddress(const TSearchEngine& engine, const std::string& centreAddress);

// kTownPageSearchUrl + "?Location=%s&free_word=%s" with the location (the
// centre address, no quotes) and the keyword, both Shift-JIS.
std::string TownPageAddress(const std::string& location, const std::string& keyword);
