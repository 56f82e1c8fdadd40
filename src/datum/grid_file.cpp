#include "datum/grid_file.h"

#include <cpl_error.h>
#include <gdal.h>
#include <openssl/evp.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "datum/datum_grid_error.h"

namespace fs = std::filesystem;

namespace {

std::string hex(const unsigned char* bytes, unsigned size) {
    std::string text;
    char pair[3];
    for (unsigned i = 0; i < size; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        text += pair;
    }
    return text;
}

std::string sha256Of(const std::vector<char>& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned size = 0;
    if (!EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_sha256(), nullptr))
        throw EDatumGridError("cannot compute a SHA-256 checksum");
    return hex(digest, size);
}

struct DatasetClose {
    void operator()(void* ds) const { GDALClose(ds); }
};

// Every check below fails with one message naming the file.
[[noreturn]] void refuse(const fs::path& path, const std::string& why) {
    throw EDatumGridError("datum grid " + path.string() + " " + why);
}

// The file's bytes, checked against the expected size and checksum first,
// so that a damaged grid is named as such rather than as unreadable.
void checkBytes(const fs::path& path, const TGridFileExpectation& expected) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) refuse(path, "cannot be read: " + error.message());
    if (size != expected.Bytes)
        refuse(path, "is damaged or not GSI's grid: it has " + std::to_string(size) + " bytes, expected " +
                         std::to_string(expected.Bytes));
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes(size);
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) refuse(path, "cannot be read");
    const std::string sum = sha256Of(bytes);
    if (sum != expected.Sha256)
        refuse(path, "is damaged or not GSI's grid: its SHA-256 is " + sum + ", expected " + expected.Sha256);
}

bool near(double a, double b) { return std::abs(a - b) < 1e-6; }

void checkLayout(const fs::path& path, GDALDatasetH ds, const TGridLayout& layout) {
    if (GDALGetRasterXSize(ds) != layout.Columns || GDALGetRasterYSize(ds) != layout.Rows ||
        GDALGetRasterCount(ds) != 2)
        refuse(path, "does not have the expected size and bands");
    double t[6];
    if (GDALGetGeoTransform(ds, t) != CE_None) refuse(path, "has no georeference");
    // The transform gives the pixels' corners; the nodes are their centres.
    const double west = (t[0] + t[1] / 2) * 3600, north = (t[3] + t[5] / 2) * 3600;
    const double south = layout.South + (layout.Rows - 1) * layout.LatStep;
    if (!near(west, layout.West) || !near(north, south) || !near(t[1] * 3600, layout.LonStep) ||
        !near(-t[5] * 3600, layout.LatStep) || t[2] != 0 || t[4] != 0)
        refuse(path, "does not cover the expected area");
    const char* names[2] = {"latitude_offset", "longitude_offset"};
    for (int band = 1; band <= 2; ++band) {
        GDALRasterBandH b = GDALGetRasterBand(ds, band);
        if (GDALGetRasterDataType(b) != GDT_Float32 || std::string(GDALGetDescription(b)) != names[band - 1])
            refuse(path, "does not hold " + std::string(names[band - 1]) + " as band " + std::to_string(band));
    }
    const char* positive = GDALGetMetadataItem(GDALGetRasterBand(ds, 2), "positive_value", nullptr);
    if (positive && std::string(positive) != "east") refuse(path, "counts longitude offsets westward");
}

// GDAL's own messages go into the exception instead of onto the terminal.
struct QuietGdal {
    QuietGdal() { CPLPushErrorHandler(CPLQuietErrorHandler); }
    ~QuietGdal() { CPLPopErrorHandler(); }
};

}  // namespace

TDatumGrid ReadDatumGrid(const fs::path& path, const TGridFileExpectation& expected) {
    checkBytes(path, expected);
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });
    const QuietGdal quiet;
    const char* const drivers[] = {"GTiff", nullptr};
    std::unique_ptr<void, DatasetClose> ds(
        GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, drivers, nullptr, nullptr));
    if (!ds) refuse(path, "cannot be opened: " + std::string(CPLGetLastErrorMsg()));
    const TGridLayout& layout = expected.Layout;
    checkLayout(path, ds.get(), layout);

    TDatumGrid grid(layout);
    std::vector<float> lat(layout.Columns), lon(layout.Columns);
    GDALRasterBandH latBand = GDALGetRasterBand(ds.get(), 1), lonBand = GDALGetRasterBand(ds.get(), 2);
    for (int fileRow = 0; fileRow < layout.Rows; ++fileRow) {
        if (GDALRasterIO(latBand, GF_Read, 0, fileRow, layout.Columns, 1, lat.data(), layout.Columns, 1,
                         GDT_Float32, 0, 0) != CE_None ||
            GDALRasterIO(lonBand, GF_Read, 0, fileRow, layout.Columns, 1, lon.data(), layout.Columns, 1,
                         GDT_Float32, 0, 0) != CE_None)
            refuse(path, "cannot be read: " + std::string(CPLGetLastErrorMsg()));
        grid.SetRow(layout.Rows - 1 - fileRow, lat, lon);  // the file runs north to south
    }
    return grid;
}
