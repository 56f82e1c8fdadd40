#pragma once
// A small streaming JSON writer for the command-line output. Strings given to
// it are UTF-8; callers convert Shift-JIS texts first.
#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace cli {

class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view k);
    JsonWriter& value(std::string_view s);
    JsonWriter& value(const char* s) { return value(std::string_view(s)); }
    JsonWriter& value(double d);
    JsonWriter& value(int64_t i);
    JsonWriter& value(int i) { return value(static_cast<int64_t>(i)); }
    JsonWriter& value(uint32_t i) { return value(static_cast<int64_t>(i)); }
    JsonWriter& value(bool b);
    JsonWriter& null();

private:
    void separate();
    std::ostream& out_;
    std::vector<bool> first_;  // per open container: no element written yet
    bool afterKey_ = false;
};

}  // namespace cli
