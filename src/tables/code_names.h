#pragma once
// Names of the feature codes (Shift-JIS); empty for codes without a name.
#include <string>
#include <vector>

const std::string& CodeName(int major, int minor);
int CodeNameCount();
std::vector<int> CodeNameCodes();  // in table order
