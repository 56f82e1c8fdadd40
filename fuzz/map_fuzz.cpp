// libFuzzer target: a folder of meshes loaded as `orvelle-cli info` loads a
// path, then used as the viewer uses it: drawn once into a small image,
// hit-tested and asked for the centre address at a few points, and searched.
//
// The input is a list of files, each a path line followed by the file's
// bytes, separated by the line "%%":
//
//   53394506/53394506.TXT\n<bytes>\n%%\n53394506/GYOUSEI/GYOUSEI.ARC\n<bytes>...
//
// A path has one to three names of letters, digits, '_', '.' and '-'
// separated by '/'; a file with another path is left out. The seeds hold
// two meshes in the authority's folder layout, written by orvelle-synth
// (scripts/make-fuzz-corpus.sh). The files go into a scratch folder.
#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/sjis.h"
#include "reading/kdk_object.h"
#include "reading/map_loading.h"
#include "regex/regex_error.h"
#include "support/recording_canvas.h"
#include "scratch_folder.h"
#include "view/viewport.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSeparator = "\n%%\n";
constexpr size_t kMaxFiles = 64;

bool isSafePath(std::string_view path) {
    size_t names = 0;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view name = path.substr(start, end - start);
        if (name.empty() || name.size() > 32 || name == "." || name == ".." || ++names > 3) return false;
        for (char c : name)
            if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '-')) return false;
        start = end + 1;
    }
    return true;
}

void writeFile(const fs::path& file, std::string_view bytes) {
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;  // a name that is a folder as well: the file is missing, as it may be
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    ::close(fd);
}

// Writes the input's files below `root`, which is made empty first.
void writeFiles(const fs::path& root, std::string_view input) {
    std::error_code ec;
    fs::remove_all(root, ec);
    fs::create_directories(root, ec);
    size_t start = 0, files = 0;
    while (files < kMaxFiles) {
        size_t end = input.find(kSeparator, start);
        if (end == std::string_view::npos) end = input.size();
        const std::string_view part = input.substr(start, end - start);
        const size_t lineEnd = part.find('\n');
        if (lineEnd != std::string_view::npos && isSafePath(part.substr(0, lineEnd))) {
            writeFile(root / std::string(part.substr(0, lineEnd)), part.substr(lineEnd + 1));
            ++files;
        }
        if (end == input.size()) break;
        start = end + kSeparator.size();
    }
}

const fs::path& dataFolder() {
    static const fs::path folder = ScratchFolder("map-fuzz");
    return folder;
}

void removeDataFolder() {
    std::error_code ec;
    fs::remove_all(dataFolder(), ec);
}

// Runs f, letting through only the errors that bad data is documented to raise.
template <class F>
void tolerating(F&& f) {
    try {
        f();
    } catch (const TKDKReadException&) {
    } catch (const EKDKIndexError&) {
    } catch (const EKDKConvertError&) {
    } catch (const EConvertError&) {
    } catch (const ERegExpParser&) {
    }
}

// Points where something is likely to be: the middle of the extent and the
// first vertex, representative point, point feature and label.
std::vector<TGeoPoint> probePoints(const TKDKObject& map) {
    std::vector<TGeoPoint> points = {
        MakePoint((map.SouthWest.X + map.NorthEast.X) / 2, (map.SouthWest.Y + map.NorthEast.Y) / 2, 0)};
    for (const auto& l : map.Lines)
        if (!l->Vertices.empty()) {
            points.push_back(l->Vertices.front());
            break;
        }
    if (!map.Polygons.empty()) points.push_back(map.Polygons.front()->RepPoint);
    if (!map.Points.empty()) points.push_back(map.Points.front()->Position);
    for (const auto& a : map.Attributes)
        if (!a->LabelText.empty()) {
            points.push_back(a->LabelPoint);
            break;
        }
    return points;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    dataFolder();
    std::atexit(removeDataFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path root = dataFolder() / "data";
    writeFiles(root, std::string_view(reinterpret_cast<const char*>(data), size));

    // As the command line loads a path: what was read before an error stays.
    std::unique_ptr<TKDKObject> map;
    TErrorList errors;
    tolerating([&] { LoadDataPath(map, root.string(), errors); });
    if (!map) return 0;
    map->EnsurePolygonsOrdered();

    TViewport view;
    view.Width = 64;
    view.Height = 48;
    view.FitExtent(map->SouthWest.X, map->NorthEast.X, map->SouthWest.Y, map->NorthEast.Y);
    map->SetViewMode(map->HasBlocks ? TViewMode::vmGaiku : TViewMode::vmNoGaiku);
    testsupport::RecordingCanvas canvas;
    map->Draw(canvas, view.GetViewMin(), view.GetViewMax(), view.ToScreen());

    for (const TGeoPoint& p : probePoints(*map)) {
        tolerating([&] { map->PointedDetails(p, 1.5); });
        tolerating([&] { map->CentreAddress(p); });
    }

    static const std::string pattern = sjis::fromUtf8(u8"丁目|[0-9]+");
    tolerating([&] {
        std::vector<TKDKElement*> found;
        if (map->SearchAttrib(-1, -1, found, true, pattern) != static_cast<int>(found.size())) std::abort();
    });
    return 0;
}
