#pragma once
// The steps every layer reader shares: open the file named by its entry,
// decode the header record, then hand out the records one by one.
#include <memory>
#include <string>
#include <string_view>

#include "geometry/geo_point.h"
#include "reading/read_errors.h"
#include "reading/records.h"

class LayerFile {
public:
    // entry: "..\" + the description's entry (E); folder: the map's Folder.
    // Raises "ファイルが開けません" / "レコードがありません" with the full path F;
    // a broken header appends its error line and leaves the origin at (0, 0).
    LayerFile(std::string entry, const std::string& folder, TErrorList& errors);
    LayerFile(const LayerFile&) = delete;
    LayerFile& operator=(const LayerFile&) = delete;

    const std::string& entry() const { return entry_; }  // E, carried by error lines
    const std::string& path() const { return path_; }    // F
    size_t byteCount() const { return bytes_.text().size(); }

    // Advances to the next record (lines 2 to the last); false after the
    // last, when lineNo() is the number of lines of the file.
    bool next();
    int lineNo() const { return line_; }
    size_t fieldCount() const { return fields_.size(); }
    bool empty() const { return fields_.empty(); }
    // Field i of the current record; raises the index error when it is missing.
    std::string_view field(size_t i) const {
        if (i >= fields_.size()) throw EKDKIndexError::MissingField(path_, line_, i, fields_.size());
        return fields_[i];
    }
    const FieldList& fields() const { return fields_; }
    // True when field 0 begins with the kind letter c.
    bool kindIs(char c) const { return !fields_.empty() && !fields_[0].empty() && fields_[0][0] == c; }

    int32_t readInt(size_t i, std::string_view context) const { return ReadInt(field(i), context, line_); }
    double readFloat(size_t i, std::string_view context) const {
        return ReadFloat(field(i), context, line_);
    }
    TFeatureCode readCode(size_t i) const { return SplitCode(field(i), path_, line_); }
    // The world point of fields yField (northing) and xField (easting), relative to the origin.
    TGeoPoint readPoint(size_t yField, size_t xField, std::string_view context) const {
        double y = readFloat(yField, context);
        double x = readFloat(xField, context);
        return {header_.OriginX + x, header_.OriginY + y, 0};
    }
    // Appends text + E + "(" line ")" to the error list.
    void report(const std::string& text) const { AppendError(errors_, text, entry_, line_); }
    // Reports `text` when the record has not exactly `count` fields; true when it did.
    bool checkFieldCount(size_t count, const std::string& text) const {
        if (fields_.size() == count) return false;
        report(text);
        return true;
    }
    // An empty record: reports `text`, then raises the index error for field 0.
    void rejectEmptyRecord(const std::string& text) const {
        if (!fields_.empty()) return;
        report(text);
        field(0);
    }
    TErrorList& errors() const { return errors_; }

private:
    std::string entry_;
    std::string path_;
    TErrorList& errors_;
    // The thread's buffer for the file's bytes, reused from file to file so
    // that reading touches no fresh memory; a buffer of its own while another
    // LayerFile of the thread holds it.
    class BufferLoan {
    public:
        BufferLoan();
        ~BufferLoan();
        BufferLoan(const BufferLoan&) = delete;
        BufferLoan& operator=(const BufferLoan&) = delete;
        FileBytes& bytes() { return *bytes_; }

    private:
        std::unique_ptr<FileBytes> own_;
        bool* lent_ = nullptr;
        FileBytes* bytes_ = nullptr;
    };
    BufferLoan loan_;
    FileBytes& bytes_ = loan_.bytes();
    LineCursor cursor_{{}};
    TKDKHeadRecord header_;
    FieldList fields_;
    int line_ = 1;
};
