#include "export/layer_plan.h"

#include <algorithm>
#include <mutex>

#include "export/export_layers.h"
#include "export/format_probe.h"
#include "export/gdal_errors.h"

void RegisterExportDrivers() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

std::vector<TExportLayer> ChosenLayers(const TExportOptions& options) {
    std::vector<TExportLayer> chosen;
    for (TExportLayer layer : options.Layers) {
        for (TExportLayer earlier : chosen)
            if (earlier == layer)
                throw EExportError("layer " + std::string(ExportLayerName(layer)) + " is asked for twice");
        chosen.push_back(layer);
    }
    if (chosen.empty())
        for (int i = 0; i < kExportLayerCount; ++i) chosen.push_back(static_cast<TExportLayer>(i));
    return chosen;
}

void LeaveOutWhatTheFormatDrops(const TExportOptions& options, const std::string& driverName,
                                std::vector<TExportLayer>& layers, std::vector<std::string>& skipped) {
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName.c_str());
    auto withoutGeometry = [](TExportLayer layer) { return ExportLayerDescription(layer).Geometry == wkbNone; };
    if (!driver || std::none_of(layers.begin(), layers.end(), withoutGeometry) || KeepsFeaturesWithoutGeometry(*driver))
        return;
    for (TExportLayer layer : layers) {
        if (!withoutGeometry(layer)) continue;
        const std::string name(ExportLayerName(layer));
        if (!options.Layers.empty())
            throw EExportError("format " + driverName + " drops features without geometry, which layer " + name +
                                   " has",
                               TExportFailure::Failed, name);
        skipped.push_back(name);
    }
    std::erase_if(layers, withoutGeometry);
}

OGRLayer& CreateLayerWithFields(GDALDataset& ds, const std::string& name, const char* noun, OGRSpatialReference* srs,
                                OGRwkbGeometryType geometry, std::span<const FieldSpec> fields,
                                const std::vector<std::string>& creationOptions) {
    std::vector<const char*> list;
    for (const std::string& o : creationOptions) list.push_back(o.c_str());
    list.push_back(nullptr);
    const std::string shown = std::string(noun) + " " + name;
    OGRLayer* l = ds.CreateLayer(name.c_str(), srs, geometry, const_cast<char**>(list.data()));
    if (!l) throw GdalFailure("cannot create " + shown, TExportFailure::CannotWrite, name);
    for (const FieldSpec& f : fields) {
        OGRFieldDefn defn(f.name, f.type);
        defn.SetSubType(f.subType);
        if (l->CreateField(&defn) != OGRERR_NONE)
            throw GdalFailure("cannot create field " + std::string(f.name) + " of " + shown,
                              TExportFailure::CannotWrite, name);
    }
    return *l;
}

OGRLayer& CreateExportLayer(GDALDataset& ds, TExportLayer layer, OGRSpatialReference* srs,
                            const std::vector<std::string>& creationOptions) {
    const TExportLayerDescription& description = ExportLayerDescription(layer);
    std::vector<FieldSpec> fields(kCommon.begin(), kCommon.end());
    fields.insert(fields.end(), description.Fields.begin(), description.Fields.end());
    return CreateLayerWithFields(ds, std::string(ExportLayerName(layer)), "layer", srs, description.Geometry, fields,
                                 creationOptions);
}
