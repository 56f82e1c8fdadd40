#pragma once
// What a file format keeps, found by writing a one-feature sample to memory
// and reading it back: GDAL 3.6's FlatGeobuf writer, for one, drops features
// without geometry without a word.
#include <gdal_priv.h>

// Whether the driver's files keep a feature that has attributes but no
// geometry (the links layer), as GDAL's best reader reads them back. True
// when the sample cannot be written or opened at all: the export's own
// read-back then tells.
bool KeepsFeaturesWithoutGeometry(GDALDriver& driver);
