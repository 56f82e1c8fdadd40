#pragma once
// The callback that turns a world point into a screen pixel, passed to all
// drawing. It refers to its target without owning it and never allocates.
// A transform that is a scale and a shift (the map panel's) also carries its
// numbers, so a feature's vertices convert in one inline loop rather than one
// indirect call each; both ways give the same pixels.
#include <cstdint>
#include <span>
#include <type_traits>

#include "base/rounding.h"
#include "geometry/geo_point.h"

struct TScreenPoint {
    int32_t X = 0, Y = 0;
    friend bool operator==(const TScreenPoint&, const TScreenPoint&) = default;
};

// A box on the surface in pixels, right and bottom edges excluded.
struct TScreenBox {
    double Left = 0, Top = 0, Right = 0, Bottom = 0;

    double Width() const { return Right - Left; }
    double Height() const { return Bottom - Top; }
    // Boxes that only touch do not overlap.
    bool Overlaps(const TScreenBox& b) const {
        return Left < b.Right && b.Left < Right && Top < b.Bottom && b.Top < Bottom;
    }
    bool Contains(const TScreenBox& b) const {
        return b.Left >= Left && b.Right <= Right && b.Top >= Top && b.Bottom <= Bottom;
    }
    TScreenBox Grown(double by) const { return {Left - by, Top - by, Right + by, Bottom + by}; }
};

// x' = (x - MinX) * ScaleX, y' = (MaxY - y) * ScaleY, each rounded half to even.
struct TLinearToScreen {
    double MinX = 0, MaxY = 0, ScaleX = 1, ScaleY = 1;

    TScreenPoint operator()(double x, double y) const {
        return {rounding::toInt32((x - MinX) * ScaleX), rounding::toInt32((MaxY - y) * ScaleY)};
    }
    TScreenPoint operator()(const TGeoPoint& p) const { return (*this)(p.X, p.Y); }
};

class TWorldToScreenFunc {
public:
    using Function = TScreenPoint (*)(const void* target, const TGeoPoint& p);

    TWorldToScreenFunc(const void* target, Function function) : target_(target), function_(function) {}

    // Binds any callable taking a TGeoPoint; the callable must outlive the callback.
    template <class F>
        requires(!std::is_same_v<std::remove_cvref_t<F>, TWorldToScreenFunc>)
    static TWorldToScreenFunc Of(const F& callable) {
        return TWorldToScreenFunc(&callable, [](const void* t, const TGeoPoint& p) -> TScreenPoint {
            return (*static_cast<const F*>(t))(p);
        });
    }
    template <class F>
    static TWorldToScreenFunc Of(const F&& callable) = delete;  // would dangle

    // A scale-and-shift transform, holding a copy of its numbers.
    static TWorldToScreenFunc Linear(const TLinearToScreen& linear) {
        TWorldToScreenFunc f(nullptr, nullptr);
        f.linear_ = linear;
        f.isLinear_ = true;
        return f;
    }

    TScreenPoint operator()(const TGeoPoint& p) const { return isLinear_ ? linear_(p.X, p.Y) : function_(target_, p); }
    TScreenPoint operator()(const TGeoPoint2D& p) const {
        return isLinear_ ? linear_(p.X, p.Y) : function_(target_, TGeoPoint{p.X, p.Y, 0});
    }
    // The scale-and-shift numbers, when the transform is one.
    const TLinearToScreen* linear() const { return isLinear_ ? &linear_ : nullptr; }

private:
    const void* target_;
    Function function_;
    TLinearToScreen linear_;
    bool isLinear_ = false;
};
