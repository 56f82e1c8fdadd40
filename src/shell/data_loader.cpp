#include "shell/data_loader.h"

#include <filesystem>
#include <vector>

#include "base/sjis.h"
#include "reading/map_loading.h"
#include "reading/mesh_reader.h"
#include "shell/archive_opening.h"
#include "view/coordinate_translator.h"

namespace {

std::unique_ptr<TKDKObject> take(std::shared_ptr<std::unique_ptr<TKDKObject>>& box) {
    return box ? std::move(*box) : nullptr;
}

std::shared_ptr<std::unique_ptr<TKDKObject>> box(std::unique_ptr<TKDKObject> map) {
    return std::make_shared<std::unique_ptr<TKDKObject>>(std::move(map));
}

}  // namespace

std::unique_ptr<TKDKObject> TakeMesh(TLoadEvent& event) { return take(event.Mesh); }

std::unique_ptr<TKDKObject> TakeMerged(TLoadEvent& event) { return take(event.Merged); }

TDataLoader::~TDataLoader() {
    Cancel();
    Wait();
}

void TDataLoader::Wait() {
    if (thread_.joinable()) thread_.join();
}

void TDataLoader::Start(TLoadRequest request, Sink sink) {
    Cancel();
    Wait();
    cancel_ = false;
    thread_ = std::thread([this, request = std::move(request), sink = std::move(sink)] { run(request, sink); });
}

namespace {

TLoadEvent eventOf(TLoadEvent::TKind kind, int fileIndex = 0, int fileCount = 0) {
    TLoadEvent event;
    event.Kind = kind;
    event.FileIndex = fileIndex;
    event.FileCount = fileCount;
    return event;
}

void prepareConversion(TCoordsFormat source, TCoordsFormat target) {
    if (source == TCoordsFormat::cfCartesian || target == TCoordsFormat::cfCartesian) return;
    TCoordinateTranslator translator;
    translator.SetTarget(target);
    translator.SetSource(source);
}

}  // namespace

void TDataLoader::run(const TLoadRequest& request, const Sink& sink) {
    TLoadEvent finished;
    std::unique_ptr<TKDKObject> merged;  // when merging: the map so far, kept whatever ends the load
    try {
        std::string folder = request.Path;
        if (request.Source == TLoadSource::lsArchive) {
            sink(eventOf(TLoadEvent::leExtracting));
            ArchiveExtraction extraction =
                ExtractForOpening(*request.Archiver, sjis::fromUtf8(request.Path), request.CacheFolder);
            if (!extraction.ok()) {
                TLoadEvent failed = eventOf(TLoadEvent::leExtractionFailed);
                failed.Result = extraction.result;
                sink(std::move(failed));
                sink(finished);
                return;
            }
            folder = sjis::toUtf8(extraction.folder);
        }
        const std::vector<std::string> files = request.Source == TLoadSource::lsMeshFile
                                                   ? std::vector<std::string>{request.Path}
                                                   : MeshFilesInFolder(folder);
        const int count = static_cast<int>(files.size());
        sink(eventOf(TLoadEvent::leReadingBegins, 0, count));
        uint64_t bytes = 0;
        MeshReader reader(files, request.Jobs);
        for (int i = 0; i < count; ++i) {
            if (cancel_) {
                finished.Cancelled = true;
                break;
            }
            const std::string name = std::filesystem::path(files[i]).filename().string();
            TLoadEvent reading = eventOf(TLoadEvent::leReadingFile, i, count);
            reading.BytesRead = bytes;
            reading.FileName = name;
            sink(std::move(reading));
            std::optional<TMeshRead> mesh = reader.next();
            TLoadEvent read = eventOf(TLoadEvent::leMeshRead, i, count);
            read.FileName = name;
            read.Errors = std::move(mesh->Errors);
            read.Failure = mesh->Failure;
            if (i == 0 && mesh->Mesh && !read.Failure)
                prepareConversion(mesh->Mesh->SourceFormat, request.DisplayFormat);
            if (mesh->Mesh) bytes += mesh->Mesh->BytesRead;
            read.Mesh = box(std::move(mesh->Mesh));
            read.BytesRead = bytes;
            const bool failed = static_cast<bool>(read.Failure);
            if (request.MergeMeshes) {
                if (failed) {
                    read.Merged = box(std::move(merged));
                } else {
                    if (cancel_) {  // read after the cancel: dropped, as the window drops it
                        finished.Cancelled = true;
                        break;
                    }
                    AddMesh(merged, TakeMesh(read), read.Errors);
                    read.MergedHasBlocks = merged->HasBlocks;
                }
            }
            sink(std::move(read));
            if (failed) break;
        }
        finished.BytesRead = bytes;
    } catch (...) {
        finished.Failure = std::current_exception();
    }
    if (merged) finished.Merged = box(std::move(merged));
    sink(std::move(finished));
}
