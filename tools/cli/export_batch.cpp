#include "export_batch.h"

#include <iostream>
#include <map>

#include "arguments.h"
#include "base/exception.h"
#include "command.h"
#include "data_loading.h"
#include "datum_shift_option.h"
#include "export/batch_export.h"
#include "export/source_catalog.h"
#include "interrupt_cancels.h"
#include "jobs_option.h"
#include "progress_line.h"
#include "reading/map_loading.h"
#include "reading/mesh_reader.h"

namespace cli {
namespace {

// A PATH as a source: its name and fingerprint, and (archives extracted) the
// folder to read and its coordinate system, or why it cannot be read.
TBatchSource describeSource(const std::string& path, std::string& target) {
    TBatchSource source{SourceNameOfPath(path), path, SourceFingerprint(path), std::nullopt, std::nullopt};
    try {
        std::string failure;
        const std::optional<std::string> found = dataTarget(path, failure);
        if (!found) {
            source.Failure = failure;
            return source;
        }
        target = *found;
        source.Format = DescribedSystem(target);
        if (!source.Format) source.Failure = "no mesh description file in " + echoed(path);
    } catch (const std::exception& e) {
        source.Failure = ExceptionText(e);
    }
    return source;
}

}  // namespace

std::string shownMessage(const EExportError& e) {
    std::string text = e.Utf8Text();
    const std::string& subject = e.Subject();
    if (subject.empty()) return text;
    const std::string shown = echoed(subject);
    for (size_t at = 0; (at = text.find(subject, at)) != std::string::npos; at += shown.size())
        text.replace(at, subject.size(), shown);
    return text;
}

int runBatchExport(const std::vector<std::string>& paths, const TExportOptions& options, bool append, bool quiet) {
    std::vector<TBatchSource> sources;
    std::map<std::string, std::string> targets;  // source name -> folder or file to read
    for (const std::string& path : paths) {
        std::string target;
        sources.push_back(describeSource(path, target));
        targets.emplace(sources.back().Name, target);
    }
    const TSourceLoader load = [&targets](const TBatchSource& source, int readers) {
        LoadedData data = loadTarget(targets.at(source.Name), readers);
        if (data.fatal) return TLoadedSource{nullptr, data.fatal};
        if (!data.map) return TLoadedSource{nullptr, "no mesh description file in " + echoed(source.Path)};
        return TLoadedSource{std::move(data.map), std::nullopt};
    };

    ProgressLine progress(quiet);
    TBatchOptions batch;
    batch.Append = append;
    batch.Jobs = readingJobs() > 0 ? readingJobs() : DefaultReadingJobs();
    batch.StillWanted = [] { return !InterruptCancels::Interrupted(); };
    batch.SourceDone = [&progress](const TSourceReport& r) {
        if (r.Outcome == TSourceOutcome::Skipped)
            progress.Note("orvelle-cli export: " + r.Name + ": unchanged since it was written; skipped");
        else if (r.Outcome == TSourceOutcome::Failed)
            progress.Note("orvelle-cli export: " + r.Name + ": " + r.Message);
    };
    batch.Progress = [&progress](const TBatchProgress& p) { progress.Update(p.SourcesDone, p.Sources, p.Features); };

    TBatchSummary summary;
    try {
        InterruptCancels interrupts;
        summary = ExportBatch(sources, load, options, batch);
        if (summary.Cancelled) {
            progress.Note("orvelle-cli export: interrupted by " + std::string(InterruptCancels::SignalName()) + "; " +
                          (append ? std::to_string(summary.Written) +
                                        " sources written stay, the sources in progress were rolled back"
                                  : std::string("nothing was written")));
            return kExitFailed;
        }
    } catch (const EExportError& e) {
        progress.Note("orvelle-cli export: " + shownMessage(e));
        return kExitFailed;
    }
    progress.Clear();
    for (const std::string& layer : summary.SkippedLayers)
        progress.Note("orvelle-cli export: layer " + layer + " left out: format " + summary.Driver +
                      " drops features without geometry");
    if (summary.Written > 0 && !summary.Epsg)
        progress.Note("orvelle-cli export: the data's coordinate system is unknown; no CRS written");
    for (const TExportLayerCount& layer : summary.Layers) std::cout << layer.Name << " " << layer.Count << "\n";
    std::cout << "total " << summary.Total;
    if (summary.SkippedAreas > 0) std::cout << " (" << summary.SkippedAreas << " areas without an outline skipped)";
    std::cout << "\nsources " << summary.Written << " written, " << summary.Skipped << " skipped, " << summary.Failed
              << " failed\n";
    reportFallbacks("export", summary.ShiftFallbacks);
    return summary.Failed > 0 ? kExitFailed : kExitOk;
}

}  // namespace cli
