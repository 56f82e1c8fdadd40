#pragma once
// Storage for the values of attribute records: their texts back to back in
// large blocks, and where each value ends (offsets from its record's first
// byte) in a second pool. A record's values are one TAttributeValues, valid
// as long as the pool, and never move; so are the label texts kept here.
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "map/chunk_pool.h"
#include "map/features.h"

class TextPool {
public:
    TextPool() = default;
    explicit TextPool(PageArena* arena) : text_(arena), ends_(arena) {}

    TAttributeValues copy(std::span<const std::string_view> values) {
        if (values.empty()) return {};
        size_t bytes = 0;
        for (std::string_view v : values) bytes += v.size();
        char* text = bytes == 0 ? nullptr : text_.reserve(bytes);
        uint32_t* ends = ends_.reserve(values.size());
        size_t at = 0;
        for (size_t i = 0; i < values.size(); ++i) {
            if (!values[i].empty()) values[i].copy(text + at, values[i].size());
            at += values[i].size();
            std::construct_at(ends + i, static_cast<uint32_t>(at));
        }
        return {text, ends, static_cast<uint32_t>(values.size())};
    }

    // A text of its own (a label joined from several values).
    std::string_view copy(std::string_view text) {
        if (text.empty()) return {};
        char* out = text_.reserve(text.size());
        text.copy(out, text.size());
        return {out, text.size()};
    }

private:
    ChunkPool<char> text_;
    ChunkPool<uint32_t> ends_;
};
