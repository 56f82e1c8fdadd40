// Going to a place on orvelle-synth municipalities (argument 0: the 2 M town
// or ORVELLE_BENCH_TOWN=DIR; 1: the 10 M town): building the place index
// against reading the town, one Locate per kind of query, and an address
// list of 10,000 queries answered as CSV (locate --queries).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "places/address_list.h"
#include "places/locate.h"
#include "synth_data.h"
#include "view/coordinate_translator.h"

namespace {

const TPlaceIndex& IndexOf(int which) {
    static std::map<int, std::unique_ptr<TPlaceIndex>> built;
    auto& index = built[which];
    if (!index) index = std::make_unique<TPlaceIndex>(*BenchTown(which).map);
    return *index;
}

void BM_BuildPlaceIndex(benchmark::State& state) {
    BenchBuildingFromTown<TPlaceIndex>(state, [&](const TPlaceIndex& index) {
        state.counters["chomes"] = static_cast<double>(index.Chomes().size());
        state.counters["blocks"] = static_cast<double>(index.Blocks().size());
    });
}

// A chome in the middle of the name order, with blocks.
const TPlaceIndex::Chome& MiddleChome(const TPlaceIndex& index) {
    const auto chomes = index.Chomes();
    for (size_t i = chomes.size() / 2; i < chomes.size(); ++i)
        if (chomes[i].BlockCount > 0) return chomes[i];
    return chomes[0];
}

// The map's centre as degrees, minutes and seconds.
std::string CentreInDms(const TKDKObject& m) {
    TCoordinateTranslator t;
    t.SetSource(m.SourceFormat);
    t.SetTarget(TCoordsFormat::cfGeodeticWGS);
    const TGeoPoint2D g = t.Transform({(m.SouthWest.X + m.NorthEast.X) / 2, (m.SouthWest.Y + m.NorthEast.Y) / 2});
    auto dms = [](double units) {
        const double seconds = units / 100;
        char text[48];
        std::snprintf(text, sizeof text, "%d°%d′%.2f″", static_cast<int>(seconds / 3600),
                      static_cast<int>(seconds / 60) % 60, seconds - 60 * static_cast<int>(seconds / 60));
        return std::string(text);
    };
    return dms(g.Y) + "N " + dms(g.X) + "E";
}

// The query of each kind: 0 a block by chome and number, 1 the first two
// characters of a chome name (prefix), 2 two characters from inside a name,
// 3 a name no place has (every name is tried), 4 a DMS coordinate.
std::string Query(const TPlaceIndex& index, int kind) {
    const TPlaceIndex::Chome& c = MiddleChome(index);
    const std::string name = sjis::toUtf8(c.Name);  // UTF-8: three bytes per kanji
    switch (kind) {
        case 0: {
            const std::string numbers = TPlaceIndex::NumbersOf(index.Blocks()[c.FirstBlock]);
            return name + " " + numbers.substr(0, numbers.find(','));
        }
        case 1: return name.substr(0, 6);
        case 2: return name.substr(3, 6);
        case 3: return u8"存在しない町名";
        default: return CentreInDms(index.Map());
    }
}

void BM_Locate(benchmark::State& state) {
    const TPlaceIndex& index = IndexOf(static_cast<int>(state.range(0)));
    const std::string query = Query(index, static_cast<int>(state.range(1)));
    size_t matches = 0;
    for (auto _ : state) {
        const TLocateResult r = Locate(index, query);
        matches = r.Matches.size();
        benchmark::DoNotOptimize(r);
    }
    state.SetLabel(query);
    state.counters["matches"] = static_cast<double>(matches);
}

// An office's list: 10,000 lines, of every chome in turn with a block number
// (four in ten), the chome alone (two), prefecture, city and chome (one), a
// name no place has (one), and a coordinate in degrees, minutes and seconds
// (two).
std::vector<std::string> AddressListQueries(const TPlaceIndex& index, size_t count) {
    const auto chomes = index.Chomes();
    const std::string centre = Query(index, 4);
    std::vector<std::string> queries;
    for (size_t i = 0; queries.size() < count; ++i) {
        const TPlaceIndex::Chome& c = chomes[(i * 7919) % chomes.size()];
        const std::string name = sjis::toUtf8(c.Name);
        switch (i % 10) {
            case 0: case 1: case 2: case 3:
                queries.push_back(c.BlockCount > 0 ? name + " " + std::to_string(1 + i % c.BlockCount) : name);
                break;
            case 4: case 5: queries.push_back(name); break;
            case 6: queries.push_back(sjis::toUtf8(index.NameOf(c))); break;
            case 7: queries.push_back(name + u8"存在しない"); break;
            default: queries.push_back(centre); break;
        }
    }
    return queries;
}

void BM_AddressList(benchmark::State& state) {
    const TPlaceIndex& index = IndexOf(static_cast<int>(state.range(0)));
    const std::vector<std::string> queries = AddressListQueries(index, static_cast<size_t>(state.range(1)));
    const AddressList list(index, TDatumShift::dsHelmert);
    size_t unmatched = 0, bytes = 0;
    for (auto _ : state) {
        std::string out = AddressList::Header();
        unmatched = 0;
        for (const std::string& q : queries)
            if (list.Answer(q, out).Status != TLocateStatus::Found) ++unmatched;
        bytes = out.size();
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * state.range(1));
    state.counters["unmatched"] = static_cast<double>(unmatched);
    state.counters["csv_bytes"] = static_cast<double>(bytes);
    state.counters["blocks"] = static_cast<double>(index.Blocks().size());
}

BENCHMARK(BM_BuildPlaceIndex)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Locate)->ArgsProduct({{0, 1}, {0, 1, 2, 3, 4}})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK(BM_AddressList)->Args({0, 10000})->Args({1, 10000})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
