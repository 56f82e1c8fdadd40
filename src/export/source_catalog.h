#pragma once
// The sources an export wrote, as the table `orvelle_sources` keeps them (a
// side file `<stem>_orvelle_sources.csv` for file formats): each source's
// name, the files it came from with their sizes and modification times (its
// fingerprint: an unchanged source has the same text), its feature counts
// per layer and when it was written. Every text is UTF-8.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "export/export_options.h"

inline constexpr const char* kSourcesTable = "orvelle_sources";

// The name of the source a PATH is: the archive's or description file's
// stem, or the folder's name.
std::string SourceNameOfPath(const std::string& path);
// The files a PATH's data comes from as JSON, [{"path":…,"size":…,"mtime":…}, …]:
// an archive or description file itself, or every file below a folder (a
// description file's own folder included), by absolute path in sorted order.
std::string SourceFingerprint(const std::string& path);
// {"lines":N, …} of the layers written.
std::string LayerCountsJson(const std::vector<TExportLayerCount>& layers);
// The current time, "YYYY-MM-DDTHH:MM:SSZ" (UTC).
std::string TimeWrittenNow();

// The table in `ds`, or null when it has none.
OGRLayer* FindSourcesTable(GDALDataset& ds);
// Creates the table (fields name, files, counts, written). Throws EExportError.
OGRLayer& CreateSourcesTable(GDALDataset& ds, const std::vector<std::string>& creationOptions);
// name -> files of every row.
std::map<std::string, std::string> StoredSources(OGRLayer& table);
// Adds the row of `record`; with `replace`, after deleting any row of the
// same name (through SQL on `ds`, in the caller's transaction; a new table
// needs none, and GeoPackage's spatial index threads must not meet SQL while
// a new layer is still written). Throws EExportError.
void WriteSourceRow(GDALDataset& ds, OGRLayer& table, const TSourceRecord& record, bool replace);

// The side file's name beside a destination file of stem `stem`.
std::string SourcesSideFileName(const std::string& stem);
// The side file's text: a header line and one CSV row (RFC 4180) per record.
std::string SourcesCsv(const std::vector<TSourceRecord>& records);

// `text` as an SQL string literal ('…', quotes doubled).
std::string SqlText(const std::string& text);
