#pragma once

#include "score/cTParse.h"

#include <cstdint>
#include <memory>
#include <string>

namespace notaro::app {

/// One parse of the editor text that succeeded, as the live check's worker made it: the
/// records with their places in the text (lineNum, noteLineNum, noteCharNum, noteStrLen), the
/// meta comments, and the parser's queries over them. It never changes once made, so views on
/// the user-interface thread may keep it while newer text is parsed elsewhere.
struct ParseSnapshot {
    /// The live check's text generation that was parsed: a later edit makes a larger one.
    uint64_t generation = 0;
    /// The parsed score; readers reach only its const queries.
    cTParse score;
    /// The text that was parsed (its bar lines are not among the records).
    std::string text;
};

/// How a snapshot is handed around: shared, and read-only for every holder.
using ParseSnapshotPtr = std::shared_ptr<const ParseSnapshot>;

} // namespace notaro::app
