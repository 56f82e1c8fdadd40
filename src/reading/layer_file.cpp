#include "reading/layer_file.h"

#include "base/path_resolver.h"
#include "base/sjis.h"
#include "reading/messages.h"

LayerFile::BufferLoan::BufferLoan() {
    thread_local FileBytes buffer;
    thread_local bool lent = false;
    if (lent) {
        own_ = std::make_unique<FileBytes>();
        bytes_ = own_.get();
        return;
    }
    lent = true;
    lent_ = &lent;
    bytes_ = &buffer;
}

LayerFile::BufferLoan::~BufferLoan() {
    if (lent_) *lent_ = false;
}

LayerFile::LayerFile(std::string entry, const std::string& folder, TErrorList& errors)
    : entry_(std::move(entry)), path_(folder + entry_), errors_(errors) {
    const ReadMessages& m = Messages();
    const std::string fsPath = paths::resolve(sjis::toUtf8(path_));
    if (!paths::isRegularFile(fsPath) || !bytes_.load(fsPath))
        throw TKDKReadException(m.fileCannotOpen, 0, path_);
    cursor_ = LineCursor(bytes_.text());
    std::string_view header;
    if (!cursor_.next(header)) throw TKDKReadException(m.noRecords, 0, path_);
    if (!header_.Read(header)) AppendError(errors_, m.brokenHeader, entry_);
}

bool LayerFile::next() {
    std::string_view line;
    if (!cursor_.next(line)) return false;
    ++line_;
    fields_.split(line);
    return true;
}
