#pragma once

#include "interchange/AbcWriter.h"
#include "interchange/StaffPage.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace notaro::interchange {

/// The Debian package that holds the engraver.
inline constexpr const char* kEngraverPackage = "abcm2ps";

/// How an engraving ended.
enum class EngraveStatus : uint8_t {
    Done,
    Missing,   ///< the engraver is not installed
    Failed,    ///< it ended with an error, or drew a different number of notes than asked
    TimedOut,  ///< it took longer than the time limit and was stopped
    Cancelled, ///< the caller's cancel flag was raised
};

/// What the engraver should make.
struct EngraveOptions {
    /// The page width in pixels (96 to the inch): the staff is wrapped to it.
    double pageWidth = 794;
    /// The page height in pixels; 0 leaves the engraver's own.
    double pageHeight = 0;
    /// Margins in pixels.
    double margin = 16;
    int32_t timeoutMs = 10000;
    /// The engraver to run: a name looked up on PATH, or a path.
    std::string program = kEngraverPackage;
};

/// Where a note or rest record was drawn.
struct StaffNote {
    int32_t record = 0;
    int32_t page = 0;
    /// Index of its box in the page's boxes.
    int32_t box = 0;
};

/// An engraved score.
struct StaffEngraving {
    EngraveStatus status = EngraveStatus::Failed;
    std::vector<StaffPage> pages;
    /// One entry per note or rest record, in record order (when status is Done).
    std::vector<StaffNote> notes;
    /// What the engraver said when it failed.
    std::string message;
};

/// Engraves an ABC tune as SVG pages with the engraver's symbol boxes (abcm2ps -g -A), each
/// note and rest mapped back to its record. The engraver keeps a whole tune in a buffer of
/// fixed size, so a long tune is handed over as several tunes of a few dozen lines; the
/// pages follow one another as one staff. Blocks the caller until the engraver ends, is
/// stopped at the time limit, or the cancel flag is raised.
StaffEngraving engraveAbc(const AbcTune& tune, const EngraveOptions& options,
                          const std::atomic<bool>* cancel = nullptr);

} // namespace notaro::interchange
