#pragma once
// The rules by which administrative areas name an address: which polygons
// count, and how their attribute values become prefecture, city, chome and
// block texts. The centre address and the place index both follow them.
#include <string>
#include <string_view>
#include <vector>

#include "map/features.h"

enum class TAddressArea : uint8_t { None, Municipality, Chome, Block };

// What the polygon names: a municipality (1105) whose record has exactly two
// values (JIS code, name), a chome (1106) with exactly three (JIS code, chome
// code, chome name), a block (1108) with more than three (the same three, then
// the block numbers). None for any other polygon and for one without a record.
TAddressArea AddressAreaOf(const TKDKPolygon& polygon);

// The prefecture named by the leading digits of a municipality's JIS code:
// two of a five-character code, one of a code written without its leading
// zero; empty for a number outside the table. Null when those characters are
// not digits.
const std::string* TryPrefectureOfJisCode(std::string_view jisCode);
// The same, raising EConvertError where TryPrefectureOfJisCode gives null.
const std::string& PrefectureOfJisCode(std::string_view jisCode);

// A block record's numbers, value 3 onwards, joined by ",".
std::string BlockText(const TAttributeValues& values);
