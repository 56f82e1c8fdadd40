#pragma once
// Reading the meshes of one open on several threads. Each mesh description
// file is read into a map object of its own, as a sequential read does, and
// the reads are handed out in the files' order, so that whoever merges them
// builds exactly the map, error list and messages of a sequential read.
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "map/kdk_object.h"

// One mesh read on its own: its map object (what was read when reading
// raised), the lines of its reading, and the error that ended it.
struct TMeshRead {
    std::unique_ptr<TKDKObject> Mesh;
    TErrorList Errors;
    std::exception_ptr Failure;
};

// The number of meshes read at once unless told otherwise: the machine's cores.
int DefaultReadingJobs();
// A number of readers as asked for (0 or less: the default), at most kMaxReadingJobs.
inline constexpr int kMaxReadingJobs = 64;
int ReadingJobs(int asked);

class MeshReader {
public:
    // Starts reading `files` (file-system paths) on up to `jobs` threads
    // (ReadingJobs(jobs)); with one job, each mesh is read inside next().
    MeshReader(std::vector<std::string> files, int jobs);
    // Stops: no further mesh is begun, and the readers still busy finish
    // their mesh, which is then dropped.
    ~MeshReader();
    MeshReader(const MeshReader&) = delete;
    MeshReader& operator=(const MeshReader&) = delete;

    size_t size() const { return files_.size(); }
    // The next mesh in file order, waiting for it; none after the last.
    std::optional<TMeshRead> next();

private:
    TMeshRead read(size_t index, const std::shared_ptr<PageArena>& arena) const;
    void work();

    std::vector<std::string> files_;
    std::shared_ptr<PageArena> arena_;  // of the meshes next() reads itself
    // Meshes read ahead of the one handed out next, at most: bounds the
    // memory of meshes waiting to be merged.
    size_t window_ = 0;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::optional<TMeshRead>> done_;
    size_t claimed_ = 0;  // the next file a reader takes
    size_t handed_ = 0;   // the next file next() hands out
    bool stopping_ = false;
    std::vector<std::thread> readers_;
};
