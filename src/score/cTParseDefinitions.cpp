// Definitions: named blocks of lines made with "*def[" ... "*enddef" and read again by "*usedef[".
#include "score/cTParse.h"

#include "score/FailureCode.h"

namespace notaro {

namespace {

std::string unexpected(const std::exception& e, const char* where) {
    return "Unexpected error " + std::to_string(failureCode(e)) + " while processing " + where;
}

} // namespace

bool cTParse::openDefinition(int32_t lineIndex, std::string_view nameText, ParseError& error) {
    try {
        const std::string name(nameText);
        if (definitions_.seachBack(name) >= 0) {
            error.message = "The definition '" + name + "' was defined before";
            return false;
        }
        definitions_.addGSpan(name, lineIndex + 1, lineIndex);
        return true;
    } catch (const std::exception& e) {
        return failInternally(error, unexpected(e, "*def[...]"));
    }
}

bool cTParse::closeDefinition(int32_t lineIndex, ParseError& error) {
    try {
        if (definitions_.NumSpans() == 0 ||
            definitions_.iLast(cGSpans::kNewest) >= definitions_.iFirst(cGSpans::kNewest)) {
            error.message = "*EndDef without *def";
            return false;
        }
        if (lineIndex <= definitions_.iFirst(cGSpans::kNewest)) {
            error.message = "Null definition";
            return false;
        }
        definitions_.setILast(cGSpans::kNewest, lineIndex - 1);
        return true;
    } catch (const std::exception& e) {
        return failInternally(error, unexpected(e, "*endDef"));
    }
}

bool cTParse::expandDefinition(std::string_view name, int32_t count, ParseError& error) {
    // Nothing may escape the parser: a failure to grow the expansion's own lists is reported
    // on the use line like the internal failures of the other definition lines.
    try {
        // The expansion runs on an explicit stack rather than by recursion, so that a long chain
        // of definitions using one another cannot exhaust the call stack.
        struct Frame {
            int32_t span;
            int32_t repeatsLeft;
            int32_t line;
        };
        std::vector<Frame> stack;
        std::vector<char> active(static_cast<size_t>(definitions_.NumSpans()), 0);

        auto enter = [&](std::string_view useName, int32_t useCount) {
            const int32_t span = definitions_.seachBack(std::string(useName));
            if (span < 0) {
                error.message = "Reference to unknown definition '" + std::string(useName) + "'";
                return false;
            }
            if (active[static_cast<size_t>(span)]) {
                error.message = "The definition '" + definitions_.gVal(span) + "' uses itself";
                return false;
            }
            if (definitions_.iFirst(span) > definitions_.iLast(span))
                return true;
            active[static_cast<size_t>(span)] = 1;
            stack.push_back(Frame{span, useCount, definitions_.iFirst(span)});
            return true;
        };

        if (!enter(name, count))
            return false;
        while (!stack.empty()) {
            Frame& f = stack.back();
            if (f.line > definitions_.iLast(f.span)) {
                if (--f.repeatsLeft == 0) {
                    active[static_cast<size_t>(f.span)] = 0;
                    stack.pop_back();
                    continue;
                }
                f.line = definitions_.iFirst(f.span);
            }
            const int32_t j = f.line++;
            if (++expandedLines_ > kMaxExpandedLines) {
                error.message = "Too many lines: the definitions would expand to more than " +
                                std::to_string(kMaxExpandedLines) + " lines";
                return false;
            }
            const std::string_view line = textLines_[static_cast<size_t>(j)];
            const tokens::LineInfo info = tokens::classifyBodyLine(line);
            switch (info.kind) {
            case tokens::LineKind::DefStart:
            case tokens::LineKind::DefEnd:
                error.message = "Invalid construct";
                return false;
            case tokens::LineKind::DefUse:
                if (!enter(info.name, info.count))
                    return false;
                break;
            default:
                curNoteLine_ = j + 1;
                if (!handleLine(line, info, error))
                    return false;
                break;
            }
        }
        return true;
    } catch (const std::exception& e) {
        return failInternally(error, unexpected(e, "*usedef[...]"));
    }
}

} // namespace notaro
