#pragma once

#include "interchange/AbcWriter.h"

#include <QByteArray>

#include <cstdint>
#include <string>

namespace notaro::app {

enum class StaffPdfResult : uint8_t {
    Written,
    EngraverMissing, ///< abcm2ps is not installed
    Failed,          ///< the engraving or the writing failed
};

/// Engraves a tune on A4 pages and writes them as a vector PDF, one engraved page per PDF
/// page, replacing the file at path only once the whole document is made.
StaffPdfResult writeStaffPdf(const interchange::AbcTune& tune, const std::string& path);

} // namespace notaro::app
