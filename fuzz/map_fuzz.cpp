// libFuzzer target: a folder of meshes loaded as `orvelle-cli info` loads a
// path, then used as the viewer uses it: drawn once into a small image through
// the raster canvas, hit-tested and asked for the centre address at a few
// points, and searched.
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

#include <QGuiApplication>
#include <QImage>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/number_text.h"
#include "base/sjis.h"
#include "drawing/feature_drawing.h"
#include "map/kdk_object.h"
#include "queries/map_queries.h"
#include "reading/map_loading.h"
#include "reading/read_errors.h"
#include "regex/regex_error.h"
#include "scratch_folder.h"
#include "view/viewport.h"
#include "render/raster_canvas.h"

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
    for (const TKDKLine* l : map.Lines())
        if (!l->Vertices.empty()) {
            points.push_back(MakePoint(l->Vertices.front().X, l->Vertices.front().Y, 0));
            break;
        }
    if (!map.Polygons().empty()) points.push_back(map.Polygons()[0]->RepPoint);
    if (!map.Points().empty()) points.push_back(map.Points()[0]->Position);
    for (const TKDKAttribute* a : map.Attributes())
        if (!a->LabelText.empty()) {
            points.push_back(a->LabelPoint);
            break;
        }
    return points;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "map_fuzz: %s\n", what);
    std::abort();
}

// Draws the whole extent once into a small image, as the viewer draws its screen.
void drawOnce(TKDKObject& map) {
    TViewport view;
    view.Width = 64;
    view.Height = 48;
    view.FitExtent(map.SouthWest.X, map.NorthEast.X, map.SouthWest.Y, map.NorthEast.Y);
    map.SetViewMode(map.HasBlocks ? TViewMode::vmGaiku : TViewMode::vmNoGaiku);
    QImage image(view.Width, view.Height, QImage::Format_RGB32);
    image.fill(Qt::white);
    RasterCanvas canvas(image);
    Draw(map, canvas, view.GetViewMin(), view.GetViewMax(), view.ToScreen());
}

// Hit-tests at the point: every feature found must say it is hit there.
void hitTestAt(const TKDKObject& map, const TGeoPoint& p) {
    constexpr double kTolerance = 1.5;
    std::vector<const TKDKElement*> hits;
    if (HitFeatures(map, p, hits, kTolerance) != static_cast<int>(hits.size())) fail("HitFeatures miscounted");
    for (const TKDKElement* f : hits)
        if (!HitTest(*f, p, kTolerance)) fail("HitFeatures found a feature that is not hit");
    tolerating([&] { PointedDetails(map, p, kTolerance); });
    tolerating([&] { CentreAddress(map, p); });
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The raster canvas draws text through QPainter, which needs the
    // application's fonts. Qt gets arguments of its own: it would take away
    // those it knows from the fuzzer's.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "map_fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
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

    drawOnce(*map);
    for (const TGeoPoint& p : probePoints(*map)) hitTestAt(*map, p);

    static const std::string pattern = sjis::fromUtf8(u8"丁目|[0-9]+");
    tolerating([&] {
        std::vector<const TKDKElement*> found;
        if (SearchAttrib(*map, -1, -1, found, true, pattern) != static_cast<int>(found.size()))
            fail("SearchAttrib miscounted");
    });
    return 0;
}
