#pragma once

#include "cTParse.h"

#include <initializer_list>
#include <ostream>
#include <string>

namespace notaro::testing {

/// What one parse reported.
struct ParseOutcome {
    int32_t line = 0;
    std::string message;
    int32_t charPos = 0;
    int32_t len = -1;

    bool operator==(const ParseOutcome& o) const {
        return line == o.line && message == o.message && charPos == o.charPos && len == o.len;
    }
};

inline std::ostream& operator<<(std::ostream& os, const ParseOutcome& o) {
    return os << "{line " << o.line << ", \"" << o.message << "\", " << o.charPos << ", " << o.len
              << "}";
}

/// Joins lines with CR LF, as score files are stored.
inline std::string crlf(std::initializer_list<std::string> lines) {
    std::string s;
    bool first = true;
    for (const auto& l : lines) {
        if (!first)
            s += "\r\n";
        s += l;
        first = false;
    }
    return s;
}

inline ParseOutcome parseText(cTParse& p, const std::string& text) {
    ParseOutcome o;
    o.line = p.parseAramText(text, o.message, o.charPos, o.len);
    return o;
}

/// Parses a letter-name score: the header on line 1, then the given lines.
inline ParseOutcome parseBody(cTParse& p, std::initializer_list<std::string> body) {
    std::string text = "**n[a-b-c]";
    for (const auto& l : body)
        text += "\r\n" + l;
    return parseText(p, text);
}

inline const ParseOutcome kOk{0, "", 0, -1};

} // namespace notaro::testing
