// libFuzzer target: the input extracted as an archive, as the open command
// extracts one, into a fresh folder inside a sandbox folder. The target
// aborts when anything appears or changes in the sandbox outside that
// folder, when a symbolic link appears inside it, when more bytes are
// written than the members declare or the limit allows, or when a failed
// extraction leaves anything behind.
//
// The sandbox, a scratch folder:
//   archive.lzh         the input
//   victim.txt          files an escaping member would overwrite
//   outside/victim.txt
//   a/b/c/link          a symbolic link to outside/, beside the destination
//   a/b/c/dest/         the destination, made afresh for each input
#include <lhasa.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <tuple>

#include "archive/archive_stream.h"
#include "archive/lhasa_extractor.h"
#include "archive/unlha_codes.h"
#include "scratch_folder.h"

namespace {

namespace fs = std::filesystem;

// Kept small so that each input is quick; the limit itself is what is checked.
constexpr uint64_t kMaxDeclaredBytes = uint64_t{8} << 20;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "lzh_fuzz: %s\n", what.c_str());
    std::abort();
}

struct Sandbox {
    fs::path root, archive, destination;
};

const Sandbox& sandbox() {
    static const Sandbox box = [] {
        Sandbox s;
        s.root = ScratchFolder("lzh-fuzz");
        s.archive = s.root / "archive.lzh";
        s.destination = s.root / "a" / "b" / "c" / "dest";
        fs::create_directories(s.root / "outside");
        fs::create_directories(s.destination.parent_path());
        std::ofstream(s.root / "victim.txt") << "victim";
        std::ofstream(s.root / "outside" / "victim.txt") << "victim";
        fs::create_directory_symlink("../../../outside", s.destination.parent_path() / "link");
        return s;
    }();
    return box;
}

void removeSandbox() {
    std::error_code ec;
    fs::remove_all(sandbox().root, ec);
}

// What the sandbox holds outside the destination and the archive: type,
// size and modification time of every entry, links not followed. A folder's
// size and time are left out: making and removing the destination changes
// its parent's.
using Snapshot = std::map<std::string, std::tuple<unsigned, int64_t, int64_t>>;

Snapshot snapshot() {
    const Sandbox& s = sandbox();
    Snapshot out;
    for (auto it = fs::recursive_directory_iterator(s.root); it != fs::recursive_directory_iterator(); ++it) {
        if (it->path() == s.destination) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->path() == s.archive) continue;
        struct stat st;
        if (::lstat(it->path().c_str(), &st) != 0) continue;
        const bool folder = S_ISDIR(st.st_mode);
        out[fs::relative(it->path(), s.root).string()] = {
            st.st_mode, folder ? 0 : st.st_size, folder ? 0 : st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
    }
    return out;
}

// The original sizes the headers declare, added up as lhasa reads them;
// counted here, apart from the extractor's own sum, so that the check does
// not rest on what it checks.
uint64_t declaredBytes(const std::string& archive) {
    std::string error;
    std::optional<archive::ArchiveStream> stream = archive::ArchiveStream::open(archive, error);
    if (!stream) return 0;
    LHAReader* reader = lha_reader_new(stream->lhasaStream());
    uint64_t total = 0;
    while (LHAFileHeader* header = reader ? lha_reader_next_file(reader) : nullptr) total += header->length;
    if (reader) lha_reader_free(reader);
    return total;
}

// The bytes of the regular files below the destination; aborts at a symbolic link.
uint64_t bytesWritten() {
    const fs::path& dest = sandbox().destination;
    uint64_t total = 0;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(dest, ec))) return 0;
    for (const fs::directory_entry& e : fs::recursive_directory_iterator(dest)) {
        if (e.is_symlink()) fail("a symbolic link was made: " + e.path().string());
        if (e.is_regular_file()) total += e.file_size();
    }
    return total;
}

const Snapshot& before() {
    static const Snapshot s = snapshot();
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    before();  // makes the sandbox
    std::atexit(removeSandbox);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Sandbox& s = sandbox();
    std::error_code ec;
    fs::remove_all(s.destination, ec);
    std::ofstream(s.archive, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

    archive::ExtractionJob job;
    job.archivePath = s.archive.string();
    job.archiveText = "archive.lzh";
    job.baseFolder = s.destination.string();
    job.limits.maxDeclaredBytes = kMaxDeclaredBytes;
    std::string log;
    const int result = archive::ExtractWithLhasa(job, log);

    const uint64_t written = bytesWritten();
    if (written > kMaxDeclaredBytes) fail("more bytes written than the limit allows: " + std::to_string(written));
    if (written > declaredBytes(job.archivePath))
        fail("more bytes written than the members declare: " + std::to_string(written));
    if (result != kUnlhaOk && fs::exists(s.destination))
        fail("a failed extraction left " + s.destination.string() + "\n" + log);
    if (const Snapshot now = snapshot(); now != before()) {
        std::string changed;
        for (const auto& [path, entry] : now)
            if (!before().contains(path) || before().at(path) != entry) changed += " " + path;
        for (const auto& [path, entry] : before())
            if (!now.contains(path)) changed += " -" + path;
        fail("something changed outside the destination:" + changed + "\n" + log);
    }
    return 0;
}
