#include "reading/layer_file.h"

#include "base/path_resolver.h"
#include "base/sjis.h"
#include "reading/messages.h"

LayerFile::LayerFile(std::string entry, const std::string& folder, TErrorList& errors)
    : entry_(std::move(entry)), path_(folder + entry_), errors_(errors) {
    const ReadMessages& m = Messages();
    const std::string fsPath = paths::resolve(sjis::toUtf8(path_));
    if (!paths::fileExists(fsPath) || !text_.load(fsPath))
        throw TKDKReadException(m.fileCannotOpen, 0, path_);
    if (text_.size() == 0) throw TKDKReadException(m.noRecords, 0, path_);
    if (!header_.Read(text_.lines()[0])) AppendError(errors_, m.brokenHeader, entry_);
}

bool LayerFile::next() {
    if (line_ >= lineCount()) return false;
    ++line_;
    fields_.split(text_.lines()[static_cast<size_t>(line_ - 1)]);
    return true;
}
