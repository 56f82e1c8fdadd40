#pragma once
// Record framing shared by the description file and every layer file: lines,
// feature-code fields and the file header record (fields and numbers follow
// base/comma_fields.h and base/number_text.h).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/comma_fields.h"
#include "base/number_text.h"

// The bytes of a whole file, up to its first NUL byte (a NUL ends the text).
// Loading another file reuses the buffer when it is large enough.
class FileBytes {
public:
    // False when the file cannot be read.
    bool load(const std::string& fsPath);
    void assign(std::string_view bytes);
    std::string_view text() const { return {data_.get(), size_}; }

private:
    void cutAtNul();
    // Makes room for n bytes, keeping the buffer when it holds as many.
    void reserve(size_t n);
    std::unique_ptr<char[]> data_;  // left uninitialised before reading: no clearing pass
    size_t size_ = 0;
    size_t capacity_ = 0;
};

// Walks text line by line: lines end at CR LF, a lone CR or a lone LF; a last
// line without a line end counts; a text ending with a line end has no empty
// last line.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : rest_(text) {}
    bool next(std::string_view& line);

private:
    std::string_view rest_;
};

// A whole text file cut into lines (for files read by line number).
class TextLines {
public:
    bool load(const std::string& fsPath);
    void assign(std::string_view bytes);
    const std::vector<std::string_view>& lines() const { return lines_; }
    size_t size() const { return lines_.size(); }

private:
    void split();
    FileBytes bytes_;
    std::vector<std::string_view> lines_;
};

// The number rules of base/number_text.h; invalid fields raise
// TKDKReadException("不正な整数変換" / "不正な浮動小数点変換", line, context).
int32_t ReadInt(std::string_view field, std::string_view context, int line);
double ReadFloat(std::string_view field, std::string_view context, int line);

struct TFeatureCode {
    int Major = 0, Minor = 0;
};
// A kind letter and the four-digit code (L1108 gives 11 and 8). Raises
// EKDKConvertError naming the file and line when the rest is not an integer.
TFeatureCode SplitCode(std::string_view field, std::string_view file, int line);

// The decoded header line of a layer file.
struct TKDKHeadRecord {
    std::string HeaderText;
    std::string Folder;
    std::string FileName;
    int32_t Value3 = 0, Value4 = 0, Value6 = 0, Value7 = 0;
    double OriginX = 0, OriginY = 0, CornerX = 0, CornerY = 0;

    // False for a line that is not a header; invalid numbers raise (with the
    // path written in field 2 as context and line 1).
    bool Read(std::string_view line);
};
