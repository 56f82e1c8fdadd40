#include "export/export_error.h"

#include "export/connection_string.h"

EExportError::EExportError(const std::string& message, TExportFailure failure, std::string subject,
                           std::string detail)
    : Exception(Utf8{WithoutPasswords(message)}), failure_(failure),
      subject_(WithoutPasswords(std::move(subject))), detail_(WithoutPasswords(std::move(detail))) {}
