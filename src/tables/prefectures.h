#pragma once
// Prefecture names (Shift-JIS) by number 1-47; empty for any other number.
#include <string>

const std::string& PrefectureName(int number);
