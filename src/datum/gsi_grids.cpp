#include "datum/gsi_grids.h"

#include <memory>
#include <mutex>

#include "datum/grid_location.h"

namespace {

// Nodes at the south-west corners of third-level meshes: 30" of latitude by
// 45" of longitude. The layouts give the south-west node in arc-seconds
// (TKY2JGD: 122°55'30" E, 24°02' N; the 2011 correction: 135°26'15" E, 34°53' N).
constexpr double kLatStep = 30, kLonStep = 45;

const TDatumGrid& loadOnce(const TGridFileExpectation& file, std::unique_ptr<TDatumGrid>& slot, std::mutex& m) {
    const std::lock_guard lock(m);
    if (!slot) slot = std::make_unique<TDatumGrid>(ReadDatumGrid(FindGridFile(file.FileName), file));
    return *slot;
}

}  // namespace

const TGridFileExpectation& Tky2JgdFile() {
    static const TGridFileExpectation file{
        "TKY2JGD.tif", 1734523, "5d3528fa546a2a300eb582dd57bf1fd6ba0ef8c5544075630661d883449ac4b8",
        {1833, 2580, 442530, 86520, kLonStep, kLatStep}};
    return file;
}

const TGridFileExpectation& Touhoku2011File() {
    static const TGridFileExpectation file{
        "touhokutaiheiyouoki2011.tif", 721672, "3bd8df7a66631a0580ed6b0b2569fbe9f1c3b5d67929dcf06b616b8edbf6e399",
        {532, 804, 487575, 125580, kLonStep, kLatStep}};
    return file;
}

const TDatumGrid& Tky2JgdGrid() {
    static std::unique_ptr<TDatumGrid> grid;
    static std::mutex m;
    return loadOnce(Tky2JgdFile(), grid, m);
}

const TDatumGrid& Touhoku2011Grid() {
    static std::unique_ptr<TDatumGrid> grid;
    static std::mutex m;
    return loadOnce(Touhoku2011File(), grid, m);
}
