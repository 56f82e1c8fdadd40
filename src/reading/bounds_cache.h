#pragma once
// Compact copies of the features' bounds in list order, for the scans that
// look for the features at a point (hit testing, the centre address). Reading
// 24 bytes per feature in sequence instead of every feature object makes a
// click on two million vertices cheap, and the scan still visits the same
// features in the same order as a walk over the list: it only skips those
// that cannot contain the point.
//
// Each scan checks that the list still holds the same features in the same
// order (a merge appends, the drawing reorders the polygons) and rebuilds the
// copy when it does not. A feature's geometry is fixed once it is in a list.
#include <cmath>
#include <memory>
#include <vector>

#include "geometry/geo_point.h"

template <class Feature>
class BoundsCache {
public:
    // Calls visit(feature) for each feature in list order whose bounds, widened
    // by margin(feature) when the copy was made and by `reach` now, hold p.
    template <class Margin, class Visit>
    void forEachNear(const std::vector<std::unique_ptr<Feature>>& list, const TGeoPoint& p, double reach,
                     Margin margin, Visit visit) {
        if (!matches(list)) rebuild(list, margin);
        const double r = reach + kSlack;
        for (const Entry& e : entries_) {
            if (p.X < e.minX - r || p.X > e.maxX + r || p.Y < e.minY - r || p.Y > e.maxY + r) continue;
            visit(*e.feature);
        }
    }

private:
    // Rounding of the stored floats is outward, and the slack covers the
    // rounding in the exact tests, so no feature that could be hit is skipped.
    static constexpr double kSlack = 1e-6;

    struct Entry {
        float minX, minY, maxX, maxY;
        Feature* feature;
    };

    static float down(double v) {
        float f = static_cast<float>(v);
        return f > v ? std::nextafter(f, -INFINITY) : f;
    }
    static float up(double v) {
        float f = static_cast<float>(v);
        return f < v ? std::nextafter(f, INFINITY) : f;
    }

    bool matches(const std::vector<std::unique_ptr<Feature>>& list) const {
        if (list.size() != entries_.size()) return false;
        for (size_t i = 0; i < list.size(); ++i)
            if (entries_[i].feature != list[i].get()) return false;
        return true;
    }

    template <class Margin>
    void rebuild(const std::vector<std::unique_ptr<Feature>>& list, Margin margin) {
        entries_.clear();
        entries_.reserve(list.size());
        for (const auto& f : list) {
            const double m = margin(*f);
            entries_.push_back({down(f->BoundsMin.X - m), down(f->BoundsMin.Y - m), up(f->BoundsMax.X + m),
                                up(f->BoundsMax.Y + m), f.get()});
        }
    }

    std::vector<Entry> entries_;
};
