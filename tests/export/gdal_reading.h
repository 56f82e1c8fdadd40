#pragma once
// Reads exported data back through GDAL for the checks of the export tests.
#include <memory>
#include <string>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

struct GdalClose {
    void operator()(GDALDataset* ds) const { GDALClose(ds); }
};
using DatasetPtr = std::unique_ptr<GDALDataset, GdalClose>;

inline DatasetPtr OpenVector(const std::string& name) {
    GDALAllRegister();
    return DatasetPtr(GDALDataset::Open(name.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
}

// The feature of `layer` whose field `field` has the integer value; null when none.
inline std::unique_ptr<OGRFeature> FindFeature(OGRLayer& layer, const char* field, int value) {
    layer.ResetReading();
    while (OGRFeature* f = layer.GetNextFeature()) {
        std::unique_ptr<OGRFeature> owned(f);
        if (f->GetFieldAsInteger(field) == value) return owned;
    }
    return nullptr;
}
