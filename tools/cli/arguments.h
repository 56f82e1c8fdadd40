#pragma once
// Parsing of the numbers and lists that the commands take as arguments, and
// the safe echo of what the user typed in a message.
#include <string>
#include <string_view>
#include <vector>

#include "geometry/geo_point.h"

namespace cli {

// Characters of user input a message repeats before cutting it off with "…".
inline constexpr size_t kEchoedCharacters = 80;

// User input as a message may repeat it: at most kEchoedCharacters characters
// (then "…"); bytes that are no valid UTF-8, and control characters, shown as
// \xNN so that no message carries broken text or terminal escapes.
std::string echoed(std::string_view input);

// A finite plain decimal number ("-12.5", "3e2"), the whole text; no hex,
// "inf", "nan" or surrounding spaces.
bool parseNumber(const std::string& text, double& value);
// A decimal integer, the whole text.
bool parseInt(const std::string& text, int& value);
// Comma-separated finite numbers.
bool parseNumberList(const std::string& text, std::vector<double>& values);
// A world point from the X and Y arguments.
bool parseWorldPoint(const std::string& x, const std::string& y, TGeoPoint& p);
// "WxH" with both sides positive integers.
bool parseSize(const std::string& text, int& width, int& height);

}  // namespace cli
