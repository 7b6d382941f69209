#pragma once

#include "score/cTParse.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

namespace notaro::testing {

/// What one parse reported: the line (0 when parsed), message, column and length.
using ParseOutcome = std::tuple<int32_t, std::string, int32_t, int32_t>;
inline const ParseOutcome kOk{0, "", 0, -1};

/// Lines given in one text, separated by ";", joined with CR LF as score files are stored.
inline std::string crlf(std::string lines) {
    for (size_t at = lines.find(';'); at != std::string::npos; at = lines.find(';', at))
        lines.replace(at, 1, "\r\n");
    return lines;
}

inline ParseOutcome parseText(cTParse& p, const std::string& text) {
    ParseError e = p.parseAramText(text);
    // No test text makes the parser fail internally: every error is the text's.
    EXPECT_EQ(e.code, e.line == 0 ? ParseErrorCode::Ok : ParseErrorCode::Syntax);
    return {e.line, std::move(e.message), e.column, e.length};
}

/// Parses a letter-name score: the header on line 1, then the body lines, separated by ";".
inline ParseOutcome parseBody(cTParse& p, const std::string& body) {
    return parseText(p, crlf("**n[a-b-c];" + body));
}

inline ParseOutcome parseBody(const std::string& body) {
    cTParse p;
    return parseBody(p, body);
}

inline std::unique_ptr<cTParse> parsed(const std::string& body) {
    auto p = std::make_unique<cTParse>();
    EXPECT_EQ(parseBody(*p, body), kOk) << body;
    return p;
}

template <typename F> std::string eachRecord(const cTParse& p, F f) {
    std::string s;
    for (int32_t i = 0; i < p.nNotes(); ++i)
        s += f(p.theNotes(i)) + " ";
    return s;
}

inline std::string places(const cTParse& p) {
    return eachRecord(p, [](const cGnsNote& r) {
        return std::to_string(r.noteCharNum) + "+" + std::to_string(r.noteStrLen);
    });
}

/// Each meta comment as "TYPE TEXT LINE:COLUMN+LENGTH>RECORD", RECORD -1 after the last one.
inline std::string metas(const cTParse& p) {
    std::string s;
    for (const MetaCommentUse& use : p.metaComments()) {
        const MetaComment& m = p.metaCommentLines().at(static_cast<size_t>(use.comment));
        s += std::to_string(m.type) + " " + m.text + " " + std::to_string(m.line) + ":" +
             std::to_string(m.column) + "+" + std::to_string(m.length) + ">" +
             std::to_string(use.beforeRecord) + " | ";
    }
    return s;
}

} // namespace notaro::testing
