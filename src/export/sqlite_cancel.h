#pragma once
// A cancel that reaches into SQLite: GeoPackage's writer builds its spatial
// index in one long statement when the layer is finished, committed, rolled
// back or closed (seconds for a large town); with this, that statement stops
// soon after the export is cancelled instead of running to its end.
#include <functional>

#include <gdal_priv.h>

// Makes every SQLite statement of `ds` (when it is an SQLite-based data
// source) call `stillWanted` now and then, stopping when it returns false.
// `stillWanted` must outlive the data source.
void StopSqliteWhenCancelled(GDALDataset& ds, const std::function<bool()>& stillWanted);
