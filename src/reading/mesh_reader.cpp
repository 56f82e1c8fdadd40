#include "reading/mesh_reader.h"

#include <algorithm>
#include <system_error>

#include "reading/map_loading.h"

int DefaultReadingJobs() {
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(static_cast<int>(cores), 1, kMaxReadingJobs);
}

int ReadingJobs(int asked) { return asked <= 0 ? DefaultReadingJobs() : std::min(asked, kMaxReadingJobs); }

MeshReader::MeshReader(std::vector<std::string> files, int jobs) : files_(std::move(files)), done_(files_.size()) {
    const size_t threads = std::min(static_cast<size_t>(ReadingJobs(jobs)), files_.size());
    if (threads <= 1) return;
    window_ = 2 * threads;
    readers_.reserve(threads);
    try {
        for (size_t i = 0; i < threads; ++i) readers_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
        // Fewer threads than asked for read all the same; none: next() reads.
    }
}

MeshReader::~MeshReader() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& t : readers_) t.join();
}

TMeshRead MeshReader::read(size_t index, const std::shared_ptr<PageArena>& arena) const {
    TMeshRead r;
    try {
        r.Mesh = std::make_unique<TKDKObject>();
        r.Mesh->UseArena(arena);
        ReadMeshOnItsOwn(*r.Mesh, files_[index], r.Errors);
    } catch (...) {
        r.Failure = std::current_exception();
    }
    return r;
}

void MeshReader::work() {
    // The meshes this thread reads share one arena, whose large pages they fill in turn.
    const auto arena = std::make_shared<PageArena>();
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || claimed_ >= files_.size() || claimed_ < handed_ + window_; });
        if (stopping_ || claimed_ >= files_.size()) return;
        const size_t index = claimed_++;
        lock.unlock();
        TMeshRead r = read(index, arena);
        lock.lock();
        done_[index] = std::move(r);
        changed_.notify_all();
    }
}

std::optional<TMeshRead> MeshReader::next() {
    if (handed_ >= files_.size()) return std::nullopt;
    if (readers_.empty()) {
        if (!arena_) arena_ = std::make_shared<PageArena>();
        return read(handed_++, arena_);
    }
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return done_[handed_].has_value(); });
    std::optional<TMeshRead> r = std::move(done_[handed_]);
    done_[handed_].reset();
    ++handed_;
    lock.unlock();
    changed_.notify_all();
    return r;
}
