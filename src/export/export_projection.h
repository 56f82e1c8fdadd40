#pragma once
// The coordinate systems of one map's export: the system written and how the
// data's coordinates reach it (unit change, the datum shift of the
// coordinate table, then OGR's projection where the table lacks the system).
#include <cstdint>
#include <memory>
#include <optional>

#include <ogr_spatialref.h>

#include "export/crs_choice.h"
#include "export/export_options.h"
#include "export/layer_writer.h"
#include "tables/coords_format.h"
#include "view/coordinate_translator.h"

struct OgrCtDelete {
    void operator()(OGRCoordinateTransformation* ct) const { OGRCoordinateTransformation::DestroyCT(ct); }
};

class TExportProjection {
public:
    // The data in `source`, written in options.ToEpsg (or its own system).
    // Throws EExportError for a system PROJ or OGR refuses.
    TExportProjection(TCoordsFormat source, const TExportOptions& options);

    // The EPSG code written; none when the data's system is unknown.
    std::optional<int> Epsg() const { return epsg_; }
    // The spatial reference layers are created with; null when unknown.
    OGRSpatialReference* Srs() const { return output_ ? output_.get() : source_.get(); }
    // A feature's vertices into the output's units (one per writing thread).
    CoordinateOutput Coordinates() const { return {translator_.get(), valuesPerCrsUnit_, projection_.get()}; }
    // Vertices the three-parameter shift converted where the grid has no parameter.
    uint64_t ShiftFallbacks() const { return translator_ ? translator_->FallbackCount() : 0; }

private:
    std::optional<int> epsg_;
    SrsPtr source_, output_;
    std::unique_ptr<TCoordinateTranslator> translator_;
    std::unique_ptr<OGRCoordinateTransformation, OgrCtDelete> projection_;
    double valuesPerCrsUnit_ = 1;
};
