#pragma once
// A map of random features over a few square kilometres, the same for the
// same seed: roads and boundaries of many widths, areas of every drawn code
// with address records, points and labels, in two meshes.
#include <random>
#include <string>
#include <vector>

#include "support/feature_builders.h"

inline void FillRandomTown(TKDKObject& map, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> coord(-1500, 1500), size(0.5, 400), step(-30, 30);
    const int areaCodes[] = {1105, 1106, 1108, 6242, 5101, 3500, 4101, 5121};
    const int lineCodes[] = {2110, 2101, 1106, 1108, 5122, 2300};
    for (int mesh = 0; mesh < 2; ++mesh) {
        TKDKObject part;
        TKDKObject& target = mesh == 0 ? map : part;
        target.BeginMesh(std::make_unique<TKDKDescription>(0, mesh == 0 ? "a\\A.txt" : "b\\B.txt"));
        for (int i = 0; i < 1500; ++i) {
            std::vector<TGeoPoint> v{At(coord(rng), coord(rng))};
            const int n = 1 + static_cast<int>(rng() % 12);
            for (int k = 0; k < n; ++k) v.push_back(At(v.back().X + step(rng), v.back().Y + step(rng)));
            TKDKLine& l = AddLineTo(target, lineCodes[rng() % 6], static_cast<int>(rng() % 4), v,
                                    static_cast<int>(rng() % 9));
            if (rng() % 3 == 0) Attach(target, l, l.Code(), {"road"});
        }
        for (int i = 0; i < 600; ++i) {
            const double x = coord(rng), y = coord(rng), w = size(rng), h = size(rng);
            const int code = areaCodes[rng() % 8];
            TKDKPolygon& p = AddPolygonTo(target, code, Rect(x, y, x + w, y + h), static_cast<TColor>(i), i + 1);
            if (code == 1105) Attach(target, p, code, {"13101", "city" + std::to_string(i)});
            if (code == 1106) Attach(target, p, code, {"13101", "001", "chome" + std::to_string(i)});
            if (code == 1108) Attach(target, p, code, {"13101", "001", "c", std::to_string(i), "2"});
        }
        for (int i = 0; i < 300; ++i) {
            TKDKPoint& q = AddPointFeatureTo(target, i % 2 ? 7301 : 2420, At(coord(rng), coord(rng)));
            if (i % 2 == 0) Attach(target, q, 2420, {"st"}).SetLabel("st", q.Position, clMaroon, 15);
        }
        target.FinishMesh();
        if (mesh == 1) {
            TErrorList errors;
            map.Merge(part, errors);
        }
    }
}
