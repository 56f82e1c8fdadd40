#include "export/export_projection.h"

#include <string>

#include "export/export_error.h"

TExportProjection::TExportProjection(TCoordsFormat format, const TExportOptions& options)
    : epsg_(EpsgOfFormat(format)), valuesPerCrsUnit_(DataUnitsPerCrsUnit(format)) {
    // The systems first: a bad code fails before anything is created.
    source_ = epsg_ ? SpatialReferenceOfEpsg(*epsg_) : nullptr;
    if (!options.ToEpsg) return;
    if (!source_)
        throw EExportError("cannot reproject: the data's coordinate system (" + std::string(CoordsFormatName(format)) +
                           ") has no EPSG code");
    output_ = OutputSpatialReferenceOfEpsg(*options.ToEpsg);
    const TCoordsFormat via = TranslatorTargetFor(*output_);
    translator_ = std::make_unique<TCoordinateTranslator>();
    translator_->SetDatumShift(options.DatumShift);
    translator_->SetSource(format);
    translator_->SetTarget(via);
    if (translator_->GetSourceFormat() != format || translator_->GetTargetFormat() != via)
        throw EExportError("cannot transform EPSG:" + std::to_string(*epsg_) + " to EPSG:" +
                           std::to_string(*options.ToEpsg) + ": PROJ refused a definition");
    valuesPerCrsUnit_ = DataUnitsPerCrsUnit(via);
    if (EpsgOfFormat(via) != options.ToEpsg) {
        const SrsPtr geographic = SpatialReferenceOfEpsg(*EpsgOfFormat(via));
        projection_.reset(OGRCreateCoordinateTransformation(geographic.get(), output_.get()));
        if (!projection_)
            throw EExportError(GdalMessageOr("cannot transform EPSG:" + std::to_string(*epsg_) + " to EPSG:" +
                                             std::to_string(*options.ToEpsg)));
    }
    epsg_ = options.ToEpsg;
}
