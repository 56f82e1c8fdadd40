#pragma once
// Every fact of a map as text: the map's own fields, its descriptions and
// every feature of every list with all its fields, vertices, references and
// links, so that two maps can be compared whole.
#include <string>

#include "map/kdk_object.h"

namespace testsupport {

std::string DumpMap(const TKDKObject& map);

}  // namespace testsupport
