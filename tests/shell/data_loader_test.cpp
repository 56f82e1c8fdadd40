// The loading thread: events in order, the stop at the first failing mesh,
// a cancel taking effect before the next mesh, and an archive that cannot be
// extracted.
#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <vector>

#include "archive/unlha_component.h"
#include "shell/data_loader.h"
#include "support/mesh_fixture.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

void sheet(const fs::path& root, const std::string& name, double x0, bool broken = false) {
    testsupport::MeshFixture m(root, name);
    m.description().southWest = {x0, 0};
    m.description().northEast = {x0 + 100, 50};
    m.layer("GYOUSEI\\GYOUSEI.ARC", {meshfiles::arcRecord(1108, 0, 1, 2), "0,0", "1,1"}, {x0, 0});
    if (broken) m.listOnly(name + "\\GYOUSEI\\MISSING.ARC");
    m.write();
}

// Runs one load to its end and returns its events.
std::vector<TLoadEvent> load(TLoadRequest request, const std::function<void(TDataLoader&, const TLoadEvent&)>& onEvent = {}) {
    TDataLoader loader;
    std::mutex m;
    std::vector<TLoadEvent> events;
    loader.Start(std::move(request), [&](TLoadEvent e) {
        if (onEvent) onEvent(loader, e);
        std::lock_guard lock(m);
        events.push_back(std::move(e));
    });
    loader.Wait();
    return events;
}

std::vector<TLoadEvent::TKind> kinds(const std::vector<TLoadEvent>& events) {
    std::vector<TLoadEvent::TKind> k;
    for (const TLoadEvent& e : events) k.push_back(e.Kind);
    return k;
}

using K = TLoadEvent;

TLoadRequest folderRequest(const fs::path& folder) {
    TLoadRequest request;
    request.Source = TLoadSource::lsFolder;
    request.Path = folder.string();
    return request;
}

TEST(DataLoader, FolderStopsAtTheFirstFailingMesh) {
    testsupport::TempDir dir;
    sheet(dir.path(), "M0000001", 0);
    sheet(dir.path(), "M0000002", 100, true);
    sheet(dir.path(), "M0000003", 200);
    std::vector<TLoadEvent> events = load(folderRequest(dir.path()));
    ASSERT_EQ(kinds(events), (std::vector<TLoadEvent::TKind>{K::leReadingBegins, K::leReadingFile, K::leMeshRead,
                                                             K::leReadingFile, K::leMeshRead, K::leFinished}));
    EXPECT_EQ(events[0].FileCount, 3);
    EXPECT_EQ(events[3].FileName, "M0000002.TXT");
    EXPECT_FALSE(events[2].Failure);
    EXPECT_TRUE(events[4].Failure);
    std::unique_ptr<TKDKObject> partial = TakeMesh(events[4]);
    ASSERT_TRUE(partial);  // what was read before the error, for a first mesh
    EXPECT_FALSE(events.back().Cancelled);
    EXPECT_GT(events[2].BytesRead, 0u);
}

TEST(DataLoader, CancelTakesEffectBeforeTheNextMesh) {
    testsupport::TempDir dir;
    for (int i = 0; i < 4; ++i) sheet(dir.path(), "N000000" + std::to_string(i), 100.0 * i);
    std::vector<TLoadEvent> events = load(folderRequest(dir.path()),
                                          [](TDataLoader& loader, const TLoadEvent& e) {
                                              if (e.Kind == K::leMeshRead) loader.Cancel();
                                          });
    ASSERT_EQ(kinds(events), (std::vector<TLoadEvent::TKind>{K::leReadingBegins, K::leReadingFile, K::leMeshRead,
                                                             K::leFinished}));
    EXPECT_TRUE(events.back().Cancelled);
}

TEST(DataLoader, ArchiveThatCannotBeExtractedReadsNothing) {
    testsupport::TempDir dir;
    std::ofstream(dir.path() / "broken.lzh") << "not an archive";
    TUnlha unlha(262);
    TLoadRequest request;
    request.Source = TLoadSource::lsArchive;
    request.Path = (dir.path() / "broken.lzh").string();
    request.CacheFolder = dir.path().string() + "/Maps/";
    request.Archiver = &unlha;
    std::vector<TLoadEvent> events = load(request);
    ASSERT_EQ(kinds(events), (std::vector<TLoadEvent::TKind>{K::leExtracting, K::leExtractionFailed, K::leFinished}));
    EXPECT_NE(events[1].Result, 0);
}

}  // namespace
