#include "reading/read_errors.h"

#include "base/sjis.h"

namespace {

std::string formatMessage(std::string_view text, int number, std::string_view context) {
    if (number < 0) return std::string(text);
    std::string m(context);
    m += '(';
    m += std::to_string(number);
    m += "): ";
    m += text;
    return m;
}


std::string convertMessage(std::string_view file, int line, std::string_view field) {
    static const std::string text = sjis::fromUtf8(u8"不正な分類コード変換: ");
    return formatMessage(text + "\"" + std::string(field) + "\"", line, file);
}

}  // namespace

TKDKReadException::TKDKReadException(std::string_view text, int number, std::string_view context)
    : Exception(formatMessage(text, number, context)),
      text_(text),
      number_(number),
      context_(context) {}

EKDKIndexError EKDKIndexError::MissingField(std::string_view file, int line, size_t fieldIndex,
                                            size_t fieldCount) {
    // "項目k がありません(項目数 c)": the record is shorter than the reader needs.
    static const std::string item = sjis::fromUtf8(u8"項目");
    static const std::string missing = sjis::fromUtf8(u8"がありません(項目数 ");
    return EKDKIndexError(formatMessage(
        item + std::to_string(fieldIndex + 1) + missing + std::to_string(fieldCount) + ")", line, file));
}

EKDKIndexError EKDKIndexError::MissingLine(std::string_view file, int line) {
    static const std::string text = sjis::fromUtf8(u8"行がありません");
    return EKDKIndexError(formatMessage(std::to_string(line) + text, line, file));
}

EKDKConvertError::EKDKConvertError(std::string_view file, int line, std::string_view field)
    : Exception(convertMessage(file, line, field)) {}

void AppendError(TErrorList& errors, std::string_view text, std::string_view entry, int line) {
    std::string e(text);
    e += entry;
    if (line >= 0) {
        e += '(';
        e += std::to_string(line);
        e += ')';
    }
    errors.push_back(std::move(e));
}
