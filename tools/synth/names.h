#pragma once
// Japanese names of the synthetic municipality (UTF-8; the writer converts
// them to Shift-JIS): towns, chome, roads, rivers, stations and buildings.
#include <cstdint>
#include <string>
#include <vector>

namespace synth {

// 1 -> "一", 12 -> "十二", 40 -> "四十" (1 to 99).
std::string kanjiNumeral(int n);
// 17 -> "１７" (full-width digits, as road numbers are written).
std::string fullWidthNumber(int n);

// Town names without repeats as long as the combinations last, in an order
// given by the seed.
std::vector<std::string> townNames(std::uint64_t seed, int count);

// A name stem (for the municipality, a river or a railway company) picked by
// the seed from a fixed list.
std::string municipalityStem(std::uint64_t seed);
std::string riverName(std::uint64_t seed);

// "桜台一丁目" from a town name and a chome number.
std::string chomeName(const std::string& town, int number);

}  // namespace synth
