#pragma once
// Opening data off the user-interface thread: a loading thread extracts an
// archive and reads each mesh description file into a map object of its
// own (several at once, reading/mesh_reader.h); the owner receives the
// results in file order through a sink and adds them to its map (AddMesh /
// AddFailedMesh). Reading stops at the first mesh that raises and, when
// cancelled, before the next mesh is handed over.
//
// Opened into an empty window (MergeMeshes), the loading thread merges the
// meshes itself, in the same order and with the same messages, and hands
// over the one finished map: the window then never spends a merge's time.
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "map/kdk_object.h"
#include "tables/coords_format.h"

class TUnlha;

enum class TLoadSource : uint8_t { lsMeshFile, lsFolder, lsArchive };

struct TLoadRequest {
    TLoadSource Source = TLoadSource::lsMeshFile;
    std::string Path;         // UTF-8 file-system path
    std::string CacheFolder;  // archives: the cache folder, Shift-JIS, ending with '/'
    TUnlha* Archiver = nullptr;  // archives: the component that extracts (not owned)
    // The system the pointer's position is shown in: the conversion from the
    // first mesh's system into it is prepared once on the loading thread, so
    // that PROJ's first reading of its database does not stall the window.
    TCoordsFormat DisplayFormat = TCoordsFormat::cfCartesian;
    // Meshes read at once (0: one per core); they are merged in file order
    // whatever the number.
    int Jobs = 0;
    // The loading thread merges the meshes into one map (leMeshRead then
    // carries no map, and Merged hands the map over).
    bool MergeMeshes = false;
};

struct TLoadEvent {
    enum TKind : uint8_t {
        leExtracting,        // the archive is being extracted
        leExtractionFailed,  // Result is the component's non-zero result; nothing follows but leFinished
        leReadingBegins,     // FileCount mesh files are going to be read
        leReadingFile,       // FileName (UTF-8, without folder) is being read
        leMeshRead,          // Mesh holds the file's map object (also a partial one when Failure is set);
                             // when merging, only the partial one of a failure
        leFinished,          // the thread ends; Cancelled when it stopped on request
    };
    TKind Kind = leFinished;
    int Result = 0;
    int FileIndex = 0;  // 0-based index of the file being read
    int FileCount = 0;
    uint64_t BytesRead = 0;  // layer bytes read in this load so far
    std::string FileName;
    // leMeshRead: the map object, boxed so that the event can be copied
    // into a queued call; TakeMesh moves it out.
    std::shared_ptr<std::unique_ptr<TKDKObject>> Mesh;
    TErrorList Errors;                 // leMeshRead: the lines of reading that mesh (and of merging it)
    // When merging: leMeshRead, whether the map merged so far has blocks;
    // the failing leMeshRead and leFinished, the map merged so far.
    bool MergedHasBlocks = false;
    std::shared_ptr<std::unique_ptr<TKDKObject>> Merged;
    std::exception_ptr Failure;  // leMeshRead: the error that ended the mesh; leFinished: one outside any mesh
    bool Cancelled = false;
};

// The map object of a leMeshRead event, for AddMesh.
std::unique_ptr<TKDKObject> TakeMesh(TLoadEvent& event);
// The map the loading thread merged, for AddMesh (null when there is none).
std::unique_ptr<TKDKObject> TakeMerged(TLoadEvent& event);

class TDataLoader {
public:
    // Called on the loading thread, in order; the last event is leFinished.
    using Sink = std::function<void(TLoadEvent)>;

    TDataLoader() = default;
    ~TDataLoader();  // cancels and waits
    TDataLoader(const TDataLoader&) = delete;
    TDataLoader& operator=(const TDataLoader&) = delete;

    // Starts a load; a load still running is cancelled and waited for first.
    void Start(TLoadRequest request, Sink sink);
    // Asks the thread to stop before the next mesh.
    void Cancel() { cancel_ = true; }
    bool CancelRequested() const { return cancel_; }
    // Waits for the thread to end (at once after its leFinished).
    void Wait();

private:
    void run(const TLoadRequest& request, const Sink& sink);
    std::thread thread_;
    std::atomic<bool> cancel_{false};
};
