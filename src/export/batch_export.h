#pragma once
// A batch: many sources (municipalities) into one destination. Sources are
// read on several threads while they are written; each is written with its
// `source` field and recorded in the sources table (export/source_catalog.h).
//
// Without Append the destination is new and appears whole or not at all, as
// a single export's does (TOutputTarget: staged files, or one database
// transaction), in any format but a drawing. With Append (GeoPackage or a
// database) each source is one transaction in the existing destination: a
// source already there is replaced, an unchanged one skipped, and an
// interrupt loses at most the sources in progress. A GeoPackage has one
// writer beside the readers; a database one connection per worker, so
// several processes may write disjoint sources into it at once.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "export/export_options.h"
#include "map/kdk_object.h"
#include "tables/coords_format.h"

struct TBatchSource {
    std::string Name;   // UTF-8, unique in the batch
    std::string Path;   // as given (UTF-8), for messages and for the loader
    std::string Files;  // its fingerprint (SourceFingerprint)
    // Its coordinate system, from its first description; none when it could
    // not be read, with Failure saying why.
    std::optional<TCoordsFormat> Format;
    std::optional<std::string> Failure;
};

// A source read into a map, or why it could not be (UTF-8).
struct TLoadedSource {
    std::unique_ptr<TKDKObject> Map;
    std::optional<std::string> Failure;
};
// Reads a source with `readers` threads; called on the batch's threads.
using TSourceLoader = std::function<TLoadedSource(const TBatchSource& source, int readers)>;

enum class TSourceOutcome { Written, Skipped, Failed };

struct TSourceReport {
    std::string Name;
    TSourceOutcome Outcome = TSourceOutcome::Written;
    std::vector<TExportLayerCount> Layers;  // written
    std::string Message;                    // why it failed (UTF-8)
};

struct TBatchProgress {
    size_t SourcesDone = 0, Sources = 0;  // written, skipped or failed, of all
    int64_t Features = 0;                 // written so far
};

struct TBatchOptions {
    bool Append = false;
    int Jobs = 1;  // sources read at once (and database connections)
    std::function<bool()> StillWanted;  // false: cancel
    // Called on any of the batch's threads, one call at a time.
    std::function<void(const TSourceReport&)> SourceDone;
    std::function<void(const TBatchProgress&)> Progress;
};

struct TBatchSummary {
    std::vector<TExportLayerCount> Layers;  // totals of the layers written, in kind order
    int64_t Total = 0;
    int64_t SkippedAreas = 0;
    std::vector<std::string> SkippedLayers;
    size_t Written = 0, Skipped = 0, Failed = 0;
    std::optional<int> Epsg;
    uint64_t ShiftFallbacks = 0;
    std::string Driver;
    std::vector<std::string> Files;
    // Interrupted: without Append nothing was kept; with it the sources
    // reported written stay and those in progress were rolled back.
    bool Cancelled = false;
};

// Throws EExportError before writing anything for a destination or options
// it cannot take (sources in different coordinate systems without ToEpsg
// among them), and when writing fails (committed sources of an append stay).
TBatchSummary ExportBatch(const std::vector<TBatchSource>& sources, const TSourceLoader& load,
                          const TExportOptions& options, const TBatchOptions& batch);
