#pragma once
#include <string>
#include <vector>

// One line per problem that reading survived, in the order met (Shift-JIS).
using TErrorList = std::vector<std::string>;
