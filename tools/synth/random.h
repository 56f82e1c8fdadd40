#pragma once
// Deterministic pseudo-random numbers for the generator. Every decision is
// drawn from a hash of the seed and the keys that name the decision (a road
// line's index, a block's column and row ...), so a mesh can be generated on
// its own and its neighbours still agree with it. The arithmetic is spelled
// out here because the standard distributions differ between libraries.
#include <cstdint>
#include <initializer_list>

namespace synth {

constexpr std::uint64_t mix64(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// Purposes of the draws, so that two decisions about the same object differ.
enum class Draw : std::uint64_t {
    RoadLine = 1, Boundary, Chome, Town, Names, Block, BlockEdge, LandUse, Building,
    Pond, ControlPoint, River, Station, Corridor,
};

class Rng {
public:
    Rng(std::uint64_t seed, Draw purpose, std::initializer_list<std::int64_t> keys) {
        std::uint64_t h = mix64(seed ^ 0x6A09E667F3BCC909ull);
        h = mix64(h ^ static_cast<std::uint64_t>(purpose));
        for (std::int64_t k : keys) h = mix64(h ^ static_cast<std::uint64_t>(k));
        state_ = h;
    }
    std::uint64_t next() {
        state_ += 0x9E3779B97F4A7C15ull;
        return mix64(state_);
    }
    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    // Uniform in [0, n); n > 0.
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool chance(double p) { return unit() < p; }

private:
    std::uint64_t state_;
};

}  // namespace synth
