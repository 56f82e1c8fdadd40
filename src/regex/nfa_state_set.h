#pragma once
// A set of NFA states as a bit set: state i is bit i mod 8, least
// significant first, of byte i div 8; n states take n div 8 + 1 bytes.
#include <cstddef>
#include <string>

class TRE_NFAStateSet {
public:
    explicit TRE_NFAStateSet(std::size_t stateCount) : bytes_(stateCount / 8 + 1, '\0') {}

    bool Has(std::size_t i) const {
        return (static_cast<unsigned char>(bytes_[i >> 3]) >> (i & 7) & 1) != 0;
    }
    void Include(std::size_t i) {
        bytes_[i >> 3] = static_cast<char>(static_cast<unsigned char>(bytes_[i >> 3]) | 1u << (i & 7));
    }
    bool Equals(const TRE_NFAStateSet& other) const { return bytes_ == other.bytes_; }
    const std::string& Bytes() const { return bytes_; }

    // Calls f(i) for every member, in increasing order.
    template <typename F>
    void ForEach(F&& f) const {
        for (std::size_t b = 0; b < bytes_.size(); ++b) {
            auto bits = static_cast<unsigned char>(bytes_[b]);
            for (std::size_t i = b * 8; bits != 0; ++i, bits >>= 1)
                if (bits & 1) f(i);
        }
    }

private:
    std::string bytes_;
};
