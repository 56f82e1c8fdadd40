#pragma once
// A read-only view of an array in a mesh's pools: its first element and its
// length in 12 bytes (a std::span takes 16), so that the millions of records
// holding one stay small. Reads as a span: size(), [i], iteration, and it
// converts to std::span where one is asked for.
#include <cstddef>
#include <cstdint>
#include <span>

template <class T>
class [[gnu::packed, gnu::aligned(4)]] TPoolSpan {
public:
    TPoolSpan() = default;
    TPoolSpan(std::span<const T> values) : data_(values.data()), size_(static_cast<uint32_t>(values.size())) {}

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const T* data() const { return data_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }
    const T& operator[](size_t i) const { return data_[i]; }
    const T& front() const { return data_[0]; }
    const T& back() const { return data_[size_ - 1]; }
    operator std::span<const T>() const { return {data_, size_}; }

private:
    const T* data_ = nullptr;
    uint32_t size_ = 0;
};
