#include "interchange/AbcEngraver.h"

#include "base/ChildProcess.h"

#include <algorithm>
#include <cstdio>

namespace notaro::interchange {

namespace {

/// Body lines per tune handed to the engraver; well inside its output buffer.
constexpr size_t kLinesPerTune = 48;
constexpr double kPixelsPerInch = 96;

std::string inches(double pixels) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3fin", pixels / kPixelsPerInch);
    return text;
}

/// The tune as the engraver gets it: page layout first, then the tune cut into tunes of
/// kLinesPerTune body lines, each repeating the header's metre, unit and key lines. The notes
/// keep their order in the text, which is all the mapping back needs.
std::string engraverInput(const std::string& text, const EngraveOptions& options) {
    std::string out = "%%pagewidth " + inches(options.pageWidth) + "\n%%leftmargin " +
                      inches(options.margin) + "\n%%rightmargin " + inches(options.margin) +
                      "\n%%topmargin " + inches(options.margin) + "\n%%botmargin " +
                      inches(options.margin) + "\n";
    if (options.pageHeight > 0)
        out += "%%pageheight " + inches(options.pageHeight) + "\n";
    std::string repeated;
    size_t bodyLines = 0;
    bool inBody = false;
    int32_t tuneNumber = 1;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string line = text.substr(pos, end - pos);
        pos = end;
        if (!inBody) {
            if (line.rfind("M:", 0) == 0 || line.rfind("L:", 0) == 0 || line.rfind("K:", 0) == 0)
                repeated += line;
            inBody = line.rfind("K:", 0) == 0;
            out += line;
            continue;
        }
        if (bodyLines > 0 && bodyLines % kLinesPerTune == 0)
            out += "\nX:" + std::to_string(++tuneNumber) + "\n" + repeated;
        ++bodyLines;
        out += line;
    }
    return out;
}

} // namespace

StaffEngraving engraveAbc(const AbcTune& tune, const EngraveOptions& options,
                          const std::atomic<bool>* cancel) {
    StaffEngraving result;
    const std::string input = engraverInput(tune.text, options);
    const base::ChildResult run =
        base::runChild({options.program, "-g", "-A", "-c", "-q", "-O", "-", "-"}, input,
                       options.timeoutMs, cancel);
    switch (run.status) {
    case base::ChildStatus::NotFound:
        result.status = EngraveStatus::Missing;
        return result;
    case base::ChildStatus::TimedOut:
        result.status = EngraveStatus::TimedOut;
        return result;
    case base::ChildStatus::Cancelled:
        result.status = EngraveStatus::Cancelled;
        return result;
    default:
        break;
    }
    result.message = run.err;
    if (!run.succeeded())
        return result;
    result.pages = readStaffPages(run.out);
    // Notes and rests in the order of the text; a tune's boxes come in drawing order.
    for (int32_t p = 0; p < static_cast<int32_t>(result.pages.size()); ++p) {
        const std::vector<StaffBox>& boxes = result.pages[p].boxes;
        for (int32_t b = 0; b < static_cast<int32_t>(boxes.size()); ++b)
            if (boxes[b].type == 'N' || boxes[b].type == 'R')
                result.notes.push_back({0, p, b});
    }
    const auto place = [&](const StaffNote& n) {
        const StaffBox& box = result.pages[n.page].boxes[n.box];
        return std::make_pair(box.row, box.column);
    };
    std::stable_sort(result.notes.begin(), result.notes.end(),
                     [&](const StaffNote& a, const StaffNote& b) { return place(a) < place(b); });
    if (result.notes.size() != tune.notes.size()) {
        result.message = "The engraver drew " + std::to_string(result.notes.size()) +
                         " notes and rests of " + std::to_string(tune.notes.size()) + ".";
        result.notes.clear();
        return result;
    }
    for (size_t i = 0; i < result.notes.size(); ++i)
        result.notes[i].record = tune.notes[i].record;
    result.status = EngraveStatus::Done;
    return result;
}

} // namespace notaro::interchange
