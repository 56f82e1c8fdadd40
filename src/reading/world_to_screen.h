#pragma once
// The callback that turns a world point into a screen pixel, passed to all
// drawing. It refers to its target without owning it and never allocates, so
// it costs one indirect call per vertex.
#include <cstdint>
#include <type_traits>

#include "geometry/geo_point.h"

struct TScreenPoint {
    int32_t X = 0, Y = 0;
    friend bool operator==(const TScreenPoint&, const TScreenPoint&) = default;
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

    TScreenPoint operator()(const TGeoPoint& p) const { return function_(target_, p); }

private:
    const void* target_;
    Function function_;
};
