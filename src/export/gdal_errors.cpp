#include "export/gdal_errors.h"

#include <cctype>

namespace {

thread_local TGdalErrors* tCurrent = nullptr;

std::string trimmed(std::string text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    return text;
}

}  // namespace

TGdalErrors::TGdalErrors() : previous_(tCurrent) {
    CPLPushErrorHandlerEx(&TGdalErrors::collect, this);
    CPLErrorReset();
    tCurrent = this;
}

TGdalErrors::~TGdalErrors() {
    CPLPopErrorHandler();
    tCurrent = previous_;
}

void TGdalErrors::ShowPathAs(std::string written, std::string shown) {
    writtenPath_ = std::move(written);
    shownPath_ = std::move(shown);
}

void TGdalErrors::Clear() {
    failed_ = false;
    firstFailure_.clear();
    CPLErrorReset();
}

void TGdalErrors::ThrowIfFailed(const std::string& what, TExportFailure failure, const std::string& subject) {
    if (!failed_) return;
    const std::string detail = firstFailure_;
    Clear();
    throw EExportError(detail.empty() ? what : what + ": " + detail, failure, subject, detail);
}

void CPL_STDCALL TGdalErrors::collect(CPLErr level, CPLErrorNum, const char* message) {
    if (level < CE_Failure) return;
    auto* self = static_cast<TGdalErrors*>(CPLGetErrorHandlerUserData());
    if (!self || self->failed_) return;
    self->failed_ = true;
    self->firstFailure_ = trimmed(message ? message : "");
    std::string& text = self->firstFailure_;
    if (!self->writtenPath_.empty())
        for (size_t at = 0; (at = text.find(self->writtenPath_, at)) != std::string::npos; at += self->shownPath_.size())
            text.replace(at, self->writtenPath_.size(), self->shownPath_);
}

std::string GdalMessageOr(const std::string& fallback) {
    std::string message = tCurrent && tCurrent->Failed() ? tCurrent->FirstFailure() : trimmed(CPLGetLastErrorMsg());
    return message.empty() ? fallback : fallback + ": " + message;
}

EExportError GdalFailure(const std::string& what, TExportFailure failure, const std::string& subject) {
    const std::string message = GdalMessageOr(what);
    return EExportError(message, failure, subject, message.size() > what.size() ? message.substr(what.size() + 2) : "");
}
