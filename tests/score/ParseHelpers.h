#pragma once

#include "cTParse.h"

#include <string>
#include <tuple>
#include <vector>

namespace notaro::testing {

/// What one parse reported: the line (parseCode::kOk when parsed), message, character
/// offset and length.
using ParseOutcome = std::tuple<int32_t, std::string, int32_t, int32_t>;
inline const ParseOutcome kOk{parseCode::kOk, "", 0, -1};

/// Joins lines with CR LF, as score files are stored.
inline std::string crlf(const std::vector<std::string>& lines) {
    std::string s;
    for (size_t i = 0; i < lines.size(); ++i)
        s += (i ? "\r\n" : "") + lines[i];
    return s;
}

inline ParseOutcome parseText(cTParse& p, const std::string& text) {
    ParseOutcome o;
    auto& [line, message, charPos, len] = o;
    line = p.parseAramText(text, message, charPos, len);
    return o;
}

/// Parses a letter-name score: the header on line 1, then the given lines.
inline ParseOutcome parseBody(cTParse& p, const std::vector<std::string>& body) {
    return parseText(p, "**n[a-b-c]\r\n" + crlf(body));
}

/// Parses a letter-name score whose body lines are given in one text, separated by ";".
inline ParseOutcome parseLines(cTParse& p, const std::string& body) {
    std::string text = "**n[a-b-c]\r\n" + body;
    for (size_t at = text.find(';'); at != std::string::npos; at = text.find(';', at))
        text.replace(at, 1, "\r\n");
    return parseText(p, text);
}

/// f(record) of every record, each followed by a blank.
template <typename F> std::string eachRecord(const cTParse& p, F f) {
    std::string s;
    for (int32_t i = 0; i < p.nNotes(); ++i)
        s += f(p.theNotes(i)) + " ";
    return s;
}

} // namespace notaro::testing
