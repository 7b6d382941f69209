// Definitions: named blocks of lines made with "*def[" ... "*enddef" and read again by "*usedef[".
#include "cTParse.h"

#include "FailureCode.h"
#include "TextUtil.h"

namespace notaro {

using text::trimBlanks;

namespace {

std::string unexpected(const std::exception& e, const char* where) {
    return "Unexpected error " + std::to_string(failureCode(e)) + " while processing " + where;
}

} // namespace

cTParse::DefLine cTParse::classifyDefLine(std::string_view line) {
    DefLine out;
    try {
        const std::string_view t = trimBlanks(line);
        if (text::startsWithNoCase(t, "*def[")) {
            const std::string_view rest = t.substr(5);
            if (!rest.empty() && rest.back() == ']') {
                out.kind = DefLineKind::Start;
                out.name = std::string(trimBlanks(rest.substr(0, rest.size() - 1)));
            }
            return out;
        }
        if (text::equalsNoCase(t, "*enddef")) {
            out.kind = DefLineKind::End;
            return out;
        }
        if (text::startsWithNoCase(t, "*usedef[")) {
            const std::string_view rest = t.substr(8);
            if (rest.empty() || rest.back() != ']')
                return out;
            const std::string_view inside = trimBlanks(rest.substr(0, rest.size() - 1));
            const size_t colon = inside.find(':');
            if (colon == std::string_view::npos || colon == 0) {
                out.name = std::string(inside);
                out.count = 1;
            } else {
                int32_t count = 0;
                if (!text::isWholeNumber(inside.substr(colon + 1), count) || count < 1)
                    return out;
                out.name = std::string(trimBlanks(inside.substr(0, colon)));
                out.count = count;
            }
            out.kind = DefLineKind::Use;
        }
        return out;
    } catch (const std::exception&) {
        return DefLine{};
    }
}

bool cTParse::openDefinition(int32_t lineIndex, const std::string& name, std::string& errMsg) {
    try {
        if (definitions_.seachBack(name) >= 0) {
            errMsg = "The definition '" + name + "' was defined before";
            return false;
        }
        definitions_.addGSpan(name, lineIndex + 1, lineIndex);
        return true;
    } catch (const std::exception& e) {
        errMsg = unexpected(e, "*def[...]");
        return false;
    }
}

bool cTParse::closeDefinition(int32_t lineIndex, std::string& errMsg) {
    try {
        if (definitions_.NumSpans() == 0 || definitions_.iLast(-1) >= definitions_.iFirst(-1)) {
            errMsg = "*EndDef without *def";
            return false;
        }
        if (lineIndex <= definitions_.iFirst(-1)) {
            errMsg = "Null definition";
            return false;
        }
        definitions_.setILast(-1, lineIndex - 1);
        return true;
    } catch (const std::exception& e) {
        errMsg = unexpected(e, "*endDef");
        return false;
    }
}

bool cTParse::expandDefinition(const std::string& name, int32_t count, std::string& errMsg,
                               int32_t& eCharPos, int32_t& eLen) {
    // The expansion runs on an explicit stack rather than by recursion, so that a long chain
    // of definitions using one another cannot exhaust the call stack.
    struct Frame {
        int32_t span;
        int32_t repeatsLeft;
        int32_t line;
    };
    std::vector<Frame> stack;
    std::vector<char> active(static_cast<size_t>(definitions_.NumSpans()), 0);

    auto enter = [&](const std::string& useName, int32_t useCount) {
        const int32_t span = definitions_.seachBack(useName);
        if (span < 0) {
            errMsg = "Reference to unknown definition '" + useName + "'";
            return false;
        }
        if (active[static_cast<size_t>(span)]) {
            errMsg = "The definition '" + definitions_.gVal(span) + "' uses itself";
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
            errMsg = "Too many lines: the definitions would expand to more than " +
                     std::to_string(kMaxExpandedLines) + " lines";
            return false;
        }
        const std::string_view line = textLines_[static_cast<size_t>(j)];
        const DefLine def = classifyDefLine(line);
        switch (def.kind) {
        case DefLineKind::Start:
        case DefLineKind::End:
            errMsg = "Invalid construct";
            return false;
        case DefLineKind::Use:
            if (!enter(def.name, def.count))
                return false;
            break;
        case DefLineKind::Other:
            curNoteLine_ = j + 1;
            if (!handleLine(line, errMsg, eCharPos, eLen))
                return false;
            break;
        }
    }
    return true;
}

} // namespace notaro
