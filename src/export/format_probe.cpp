#include "export/format_probe.h"

#include <atomic>
#include <string>

#include <cpl_vsi.h>
#include <ogrsf_frmts.h>

bool KeepsFeaturesWithoutGeometry(GDALDriver& driver) {
    static std::atomic<int> serial{0};
    const std::string folder = "/vsimem/orvelle-export-probe-" + std::to_string(serial++);
    const char* extension = driver.GetMetadataItem(GDAL_DMD_EXTENSION);
    const std::string path = folder + "/probe" + (extension && *extension ? "." + std::string(extension) : "");
    VSIMkdir(folder.c_str(), 0700);
    bool kept = true;
    if (GDALDataset* ds = driver.Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr)) {
        OGRLayer* layer = ds->CreateLayer("probe", nullptr, wkbNone, nullptr);
        OGRFieldDefn field("id", OFTInteger);
        bool written = layer && layer->CreateField(&field) == OGRERR_NONE;
        if (written) {
            OGRFeature feature(layer->GetLayerDefn());
            feature.SetField(0, 1);
            written = layer->CreateFeature(&feature) == OGRERR_NONE;
        }
        GDALClose(ds);
        if (written)
            if (GDALDataset* back = GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY)) {
                // No layer at all: the reader dropped the feature with its layer.
                const int layers = back->GetLayerCount();
                kept = layers > 1 || (layers == 1 && back->GetLayer(0)->GetFeatureCount(TRUE) == 1);
                GDALClose(back);
            }
    }
    VSIRmdirRecursive(folder.c_str());
    return kept;
}
