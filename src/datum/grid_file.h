#pragma once
// Reads a datum grid in PROJ's GeoTIFF grid format (two Float32 bands,
// latitude_offset and longitude_offset in arc-seconds, nodes at the pixel
// centres) through GDAL, after checking that the file is exactly the one
// expected.
#include <cstdint>
#include <filesystem>

#include "datum/datum_grid.h"

struct TGridFileExpectation {
    const char* FileName;
    std::uintmax_t Bytes;
    const char* Sha256;  // lower-case hexadecimal
    TGridLayout Layout;
};

// Throws EDatumGridError when the file cannot be read, differs from the
// expected one (size, SHA-256) or does not hold the expected nodes.
TDatumGrid ReadDatumGrid(const std::filesystem::path& path, const TGridFileExpectation& expected);
