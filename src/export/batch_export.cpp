#include "export/batch_export.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <map>
#include <mutex>
#include <thread>

#include <cpl_conv.h>

#include "base/exception.h"
#include "export/batch_writers.h"
#include "export/crs_choice.h"
#include "export/export_layers.h"
#include "export/export_projection.h"
#include "export/layer_plan.h"
#include "export/output_target.h"
#include "export/source_catalog.h"

namespace {

// What the batch has done so far, shared by its threads: the reports, the
// progress and the totals, and whether to go on.
class BatchState {
public:
    BatchState(const TBatchOptions& batch, size_t sources) : batch_(batch) { progress_.Sources = sources; }

    bool StillWanted() const {
        if (stopped_) return false;
        if (batch_.StillWanted && !batch_.StillWanted()) stopped_ = true;
        return !stopped_;
    }
    void Stop() { stopped_ = true; }

    // A ticker callback that adds what one source writes to the features written.
    TExportProgress SourceProgress() {
        auto seen = std::make_shared<int64_t>(0);
        return [this, seen](int64_t written, int64_t) {
            addFeatures(written - *seen);
            *seen = written;
            return StillWanted();
        };
    }

    void Written(const std::string& name, const TSourceWrite& write, TBatchSummary& summary) {
        std::lock_guard lock(mutex_);
        int64_t features = 0;
        for (const TExportLayerCount& l : write.Layers) {
            const std::optional<TExportLayer> layer = ExportLayerFromName(l.Name);
            totals_[static_cast<size_t>(*layer)] += l.Count;
            features += l.Count;
        }
        summary.SkippedAreas += write.SkippedAreas;
        summary.ShiftFallbacks += write.ShiftFallbacks;
        if (write.Epsg) summary.Epsg = write.Epsg;
        ++summary.Written;
        progress_.Features = writtenBefore_ += features;  // the exact count, whatever the tickers saw
        tickerFeatures_ = 0;
        report({name, TSourceOutcome::Written, write.Layers, {}});
    }
    void Skipped(const std::string& name, TBatchSummary& summary) {
        std::lock_guard lock(mutex_);
        ++summary.Skipped;
        report({name, TSourceOutcome::Skipped, {}, {}});
    }
    void Failed(const std::string& name, const std::string& message, TBatchSummary& summary) {
        std::lock_guard lock(mutex_);
        ++summary.Failed;
        report({name, TSourceOutcome::Failed, {}, message});
    }
    void Totals(TBatchSummary& summary) const {
        for (int i = 0; i < kExportLayerCount; ++i)
            if (totals_[i] > 0) {
                summary.Layers.push_back({std::string(ExportLayerName(static_cast<TExportLayer>(i))), totals_[i]});
                summary.Total += totals_[i];
            }
    }

private:
    void addFeatures(int64_t n) {
        std::lock_guard lock(mutex_);
        tickerFeatures_ += n;
        progress_.Features = writtenBefore_ + tickerFeatures_;
        if (batch_.Progress) batch_.Progress(progress_);
    }
    void report(const TSourceReport& r) {
        ++progress_.SourcesDone;
        if (batch_.SourceDone) batch_.SourceDone(r);
        if (batch_.Progress) batch_.Progress(progress_);
    }

    const TBatchOptions& batch_;
    mutable std::atomic<bool> stopped_ = false;
    std::mutex mutex_;
    TBatchProgress progress_;
    int64_t writtenBefore_ = 0, tickerFeatures_ = 0;
    std::array<int64_t, kExportLayerCount> totals_{};
};

// The source read, or why not: a source without a map always has its failure.
TLoadedSource loadSafely(const TSourceLoader& load, const TBatchSource& source, int readers) {
    TLoadedSource loaded;
    try {
        loaded = load(source, readers);
    } catch (const std::exception& e) {
        return {nullptr, ExceptionText(e)};
    }
    if (!loaded.Map && !loaded.Failure) loaded.Failure = "nothing could be read";
    return loaded;
}

// Readers for each of `workers` sources read at once: the jobs shared out.
int readersEach(int jobs, size_t workers) { return std::max(1, jobs / static_cast<int>(std::max<size_t>(1, workers))); }

// Reads `todo` on up to `jobs` threads and hands each map read to `write` on
// this thread as it is ready. A reader keeps its map until it is written, so
// at most `jobs` maps are alive. A source that cannot be read is reported
// failed; the first exception of `write` stops the readers and is rethrown.
template <class Write>
void readBesideOneWriter(const std::vector<const TBatchSource*>& todo, const TSourceLoader& load, int jobs,
                         BatchState& state, TBatchSummary& summary, Write write) {
    const size_t workers = std::min<size_t>(std::max(1, jobs), todo.size());
    const int readers = readersEach(jobs, workers);
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::optional<TLoadedSource>> loaded(todo.size());
    std::vector<bool> done(todo.size(), false);
    std::vector<size_t> ready;
    size_t next = 0, finishedWorkers = 0;
    bool stop = false;
    auto work = [&] {
        for (;;) {
            size_t index;
            {
                std::lock_guard lock(mutex);
                if (stop || next == todo.size() || !state.StillWanted()) break;
                index = next++;
            }
            TLoadedSource source = loadSafely(load, *todo[index], readers);
            std::unique_lock lock(mutex);
            loaded[index] = std::move(source);
            ready.push_back(index);
            changed.notify_all();
            changed.wait(lock, [&] { return done[index] || stop; });
        }
        std::lock_guard lock(mutex);
        ++finishedWorkers;
        changed.notify_all();
    };
    std::vector<std::thread> threads;
    auto stopAndJoin = [&] {
        {
            std::lock_guard lock(mutex);
            stop = true;
            changed.notify_all();
        }
        for (std::thread& t : threads) t.join();
        threads.clear();
    };
    for (size_t i = 0; i < workers; ++i) threads.emplace_back(work);
    try {
        for (;;) {
            size_t index;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return !ready.empty() || finishedWorkers == workers; });
                if (ready.empty()) break;
                index = ready.front();
                ready.erase(ready.begin());
            }
            TLoadedSource& source = *loaded[index];
            if (!state.StillWanted()) break;
            if (source.Map)
                write(*todo[index], *source.Map);
            else
                state.Failed(todo[index]->Name, *source.Failure, summary);
            std::lock_guard lock(mutex);
            source.Map.reset();
            done[index] = true;
            changed.notify_all();
        }
    } catch (...) {
        stopAndJoin();
        throw;
    }
    stopAndJoin();
}

// Each of up to `jobs` threads reads a source and writes it through its own
// connection (made by `connect` on the thread), then takes the next.
template <class Connect, class Write>
void readAndWriteOnWorkers(const std::vector<const TBatchSource*>& todo, const TSourceLoader& load, int jobs,
                           BatchState& state, TBatchSummary& summary, Connect connect, Write write) {
    const size_t workers = std::min<size_t>(std::max(1, jobs), todo.size());
    const int readers = readersEach(jobs, workers);
    std::mutex mutex;
    size_t next = 0;
    std::exception_ptr failure;
    auto work = [&] {
        try {
            auto connection = connect();
            for (;;) {
                size_t index;
                {
                    std::lock_guard lock(mutex);
                    if (failure || next == todo.size() || !state.StillWanted()) return;
                    index = next++;
                }
                TLoadedSource source = loadSafely(load, *todo[index], readers);
                if (!state.StillWanted()) return;
                if (source.Map)
                    write(*connection, *todo[index], *source.Map);
                else
                    state.Failed(todo[index]->Name, *source.Failure, summary);
            }
        } catch (...) {
            std::lock_guard lock(mutex);
            if (!failure) failure = std::current_exception();
            state.Stop();
        }
    };
    std::vector<std::thread> threads;
    for (size_t i = 0; i < workers; ++i) threads.emplace_back(work);
    for (std::thread& t : threads) t.join();
    if (failure) std::rethrow_exception(failure);
}

// Sources in more than one coordinate system need one system to be written in.
void refuseMixedSystems(const std::vector<TBatchSource>& sources, const TExportOptions& options) {
    if (options.ToEpsg) return;
    std::map<TCoordsFormat, std::vector<std::string>> bySystem;
    for (const TBatchSource& s : sources)
        if (s.Format && !s.Failure) bySystem[*s.Format].push_back(s.Name);
    if (bySystem.size() < 2) return;
    std::string found;
    for (const auto& [format, names] : bySystem) {
        if (!found.empty()) found += "; ";
        found += std::string(CoordsFormatName(format));
        if (const std::optional<int> epsg = EpsgOfFormat(format)) found += " (EPSG:" + std::to_string(*epsg) + ")";
        found += ":";
        for (const std::string& n : names) found += " " + n;
    }
    throw EExportError("the sources are in different coordinate systems (" + found +
                       "); give --to-crs (for example EPSG:6668) to write them in one");
}

void refuseSameNames(const std::vector<TBatchSource>& sources) {
    std::map<std::string, const TBatchSource*> seen;
    for (const TBatchSource& s : sources) {
        auto [it, added] = seen.emplace(s.Name, &s);
        if (!added)
            throw EExportError(it->second->Path + " and " + s.Path + " are both source " + s.Name +
                               "; each source needs a name of its own");
    }
}

TExportOptions optionsOfSource(const TExportOptions& options, const TBatchSource& source) {
    TExportOptions own = options;
    own.SourceName = source.Name;
    return own;
}

}  // namespace

TBatchSummary ExportBatch(const std::vector<TBatchSource>& sources, const TSourceLoader& load,
                          const TExportOptions& options, const TBatchOptions& batch) {
    RegisterExportDrivers();
    TGdalErrors errors;
    TBatchSummary summary;
    summary.Driver = ExportDriverName(options);
    if (IsDrawingFormat(summary.Driver))
        throw EExportError("a DXF drawing is written from one PATH; a batch needs a format with attributes");
    if (batch.Append && !AppendsInPlace(summary.Driver))
        throw EExportError("--append takes GeoPackage (.gpkg) or a database (PG:...); format " + summary.Driver +
                           " is written whole, all sources at once");
    refuseSameNames(sources);
    refuseMixedSystems(sources, options);
    std::vector<TExportLayer> layers = ChosenLayers(options);
    LeaveOutWhatTheFormatDrops(options, summary.Driver, layers, summary.SkippedLayers);

    BatchState state(batch, sources.size());
    std::vector<const TBatchSource*> todo;
    const TBatchSource* first = nullptr;
    for (const TBatchSource& s : sources) {
        if (s.Failure) {
            state.Failed(s.Name, *s.Failure, summary);
            continue;
        }
        todo.push_back(&s);
        if (!first) first = &s;
    }
    if (todo.empty()) return summary;

    auto recordOf = [](const TBatchSource& s) { return TSourceRecord{s.Name, s.Files, {}, TimeWrittenNow()}; };

    if (!batch.Append) {
        // New: staged (or one database transaction), kept only when complete.
        TOutputTarget target(options, layers, errors, [&state] { return state.StillWanted(); }, true);
        std::array<OGRLayer*, kExportLayerCount> created{};
        const TLayerLookup layerFor = [&](TExportLayer layer, OGRSpatialReference* srs) -> OGRLayer& {
            OGRLayer*& l = created[static_cast<size_t>(layer)];
            if (!l) l = &CreateExportLayer(target.DatasetFor(layer), layer, srs, target.LayerCreationOptions());
            return *l;
        };
        std::vector<TSourceRecord> records;
        try {
            readBesideOneWriter(todo, load, batch.Jobs, state, summary, [&](const TBatchSource& s, const TKDKObject& map) {
                const TExportProgress progress = state.SourceProgress();
                ProgressTicker ticker(progress, 0);
                const TSourceWrite write = WriteSourceFeatures(map, optionsOfSource(options, s), layers,
                                                               target.RecodesTexts(), layerFor, errors, ticker);
                if (write.Cancelled) return;
                TSourceRecord record = recordOf(s);
                record.Counts = LayerCountsJson(write.Layers);
                records.push_back(std::move(record));
                state.Written(s.Name, write, summary);
            });
            state.Totals(summary);
            if (state.StillWanted() && summary.Total == 0) {
                target.Discard();
                if (summary.Failed > 0) return summary;
                throw EExportError(options.Layers.empty() ? "nothing to export: the sources have no features"
                                                          : "nothing to export: the chosen layers have no features",
                                   TExportFailure::NothingToExport);
            }
            if (state.StillWanted()) {
                target.WriteSources(records);
                std::optional<std::vector<std::string>> files = target.Commit(summary.Layers);
                if (files) summary.Files = std::move(*files);
            }
        } catch (const EExportError&) {
            target.Discard();
            if (state.StillWanted()) throw;  // a statement stopped by the cancel fails
        }
        if (!state.StillWanted()) {
            target.Discard();
            summary.Cancelled = true;
            summary.Layers.clear();
            summary.Total = 0;
            summary.Written = 0;
        }
        return summary;
    }

    // Appending: each source one transaction in the destination itself.
    auto skipUnchanged = [&](const std::map<std::string, std::string>& stored) {
        std::erase_if(todo, [&](const TBatchSource* s) {
            const auto it = stored.find(s->Name);
            if (it == stored.end() || it->second != s->Files) return false;
            state.Skipped(s->Name, summary);
            return true;
        });
    };
    auto writeThrough = [&](TAppendConnection& connection, const TBatchSource& s, const TKDKObject& map) {
        const TExportProgress progress = state.SourceProgress();
        ProgressTicker ticker(progress, 0);
        const TSourceWrite write = connection.WriteSource(map, optionsOfSource(options, s), layers, recordOf(s), ticker);
        if (!write.Cancelled) state.Written(s.Name, write, summary);
    };
    if (!IsDatabaseFormat(summary.Driver)) {
        TAppendConnection connection(options, summary.Driver, errors, [&state] { return state.StillWanted(); });
        skipUnchanged(connection.StoredSources());
        readBesideOneWriter(todo, load, batch.Jobs, state, summary,
                            [&](const TBatchSource& s, const TKDKObject& map) { writeThrough(connection, s, map); });
    } else {
        {
            const TExportProjection projection(*first->Format, options);
            PrepareDatabaseTables(options, summary.Driver, layers, projection.Srs(), errors);
            TAppendConnection connection(options, summary.Driver, errors, [] { return true; });
            skipUnchanged(connection.StoredSources());
        }
        // Each worker its own connection, its own GDAL errors and COPY for its rows.
        struct Worker {
            TGdalErrors errors;  // collects on the worker's thread; outlives the connection
            std::unique_ptr<TAppendConnection> connection;
        };
        readAndWriteOnWorkers(todo, load, batch.Jobs, state, summary, [&] {
            CPLSetThreadLocalConfigOption("PG_USE_COPY", "YES");
            auto worker = std::make_unique<Worker>();
            worker->connection = std::make_unique<TAppendConnection>(options, summary.Driver, worker->errors,
                                                                     [&state] { return state.StillWanted(); });
            return worker;
        }, [&](Worker& worker, const TBatchSource& s, const TKDKObject& map) { writeThrough(*worker.connection, s, map); });
    }
    state.Totals(summary);
    summary.Cancelled = !state.StillWanted();
    return summary;
}
