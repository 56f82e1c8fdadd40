#include "json_writer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace cli {

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) out_ << ',';
        first_.back() = false;
    }
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    out_ << '{';
    first_.push_back(true);
    return *this;
}
JsonWriter& JsonWriter::endObject() {
    out_ << '}';
    first_.pop_back();
    return *this;
}
JsonWriter& JsonWriter::beginArray() {
    separate();
    out_ << '[';
    first_.push_back(true);
    return *this;
}
JsonWriter& JsonWriter::endArray() {
    out_ << ']';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view k) {
    value(k);
    out_ << ':';
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view s) {
    separate();
    out_ << '"';
    for (unsigned char c : s) {
        switch (c) {
        case '"': out_ << "\\\""; break;
        case '\\': out_ << "\\\\"; break;
        case '\n': out_ << "\\n"; break;
        case '\r': out_ << "\\r"; break;
        case '\t': out_ << "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out_ << buf;
            } else {
                out_ << static_cast<char>(c);
            }
        }
    }
    out_ << '"';
    return *this;
}

JsonWriter& JsonWriter::value(double d) {
    separate();
    if (!std::isfinite(d)) {
        out_ << "null";
        return *this;
    }
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, d);  // shortest exact form
    out_.write(buf, res.ptr - buf);
    return *this;
}

JsonWriter& JsonWriter::value(int64_t i) {
    separate();
    out_ << i;
    return *this;
}

JsonWriter& JsonWriter::value(bool b) {
    separate();
    out_ << (b ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::null() {
    separate();
    out_ << "null";
    return *this;
}

}  // namespace cli
