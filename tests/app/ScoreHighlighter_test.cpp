// The editor's colours are the parser's own reading of each line.
#include "AppTestSupport.h"
#include "ScoreEncoding.h"
#include "ScoreHighlighter.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;
using namespace notaro;
using tokens::TokenKind;

namespace {

struct Span {
    int kind, start, length;
    bool operator==(const Span& o) const {
        return kind == o.kind && start == o.start && length == o.length;
    }
};

std::ostream& operator<<(std::ostream& os, const Span& s) {
    return os << "{" << s.kind << " " << s.start << "+" << s.length << "}";
}

/// Characters (code points) among the first n UTF-16 units of text.
int codePoints(const QString& text, int n) {
    return static_cast<int>(text.left(n).toUcs4().size());
}

/// Colours every line of text with the highlighter and reads each block's formats back as
/// kinds, by colour; the lines' spans from the token scan are read alongside.
void expectSameSpans(const std::string& name, const std::string& utf8) {
    std::map<QRgb, int> kindOfColour;
    for (int k = 0; k < tokens::kTokenKindCount; ++k) {
        const QTextCharFormat f = app::ScoreHighlighter::formatOf(static_cast<TokenKind>(k));
        ASSERT_TRUE(kindOfColour.emplace(f.foreground().color().rgb(), k).second) << k;
    }
    QTextDocument doc;
    doc.setPlainText(QString::fromStdString(utf8));
    app::ScoreHighlighter highlighter(&doc);
    highlighter.rehighlight();

    auto place = tokens::LinePlace::BeforeHeader;
    QTextBlock block = doc.begin();
    int spans = 0;
    for (size_t at = 0; at != std::string::npos;) {
        const size_t end = utf8.find("\r\n", at);
        const std::string line = utf8.substr(at, end == std::string::npos ? end : end - at);
        at = end == std::string::npos ? end : end + 2;
        ASSERT_TRUE(block.isValid()) << name;
        std::vector<Span> expected;
        for (const tokens::TokenSpan& s : tokens::scanLine(line, place))
            expected.push_back({static_cast<int>(s.kind), s.start, s.length});
        std::vector<Span> shown;
        const QString text = block.text();
        for (const QTextLayout::FormatRange& r : block.layout()->formats()) {
            const auto kind = kindOfColour.find(r.format.foreground().color().rgb());
            ASSERT_NE(kind, kindOfColour.end()) << name;
            const int start = codePoints(text, r.start);
            shown.push_back({kind->second, start, codePoints(text, r.start + r.length) - start});
        }
        EXPECT_EQ(shown, expected) << name << ": " << line;
        spans += static_cast<int>(expected.size());
        block = block.next();
    }
    EXPECT_FALSE(block.isValid()) << name;
    EXPECT_GT(spans, 0) << name;
}

} // namespace

TEST(ScoreHighlighter, ColoursEverySampleLineAsTheParserReadsIt) {
    app::test::testApp();
    const fs::path dir = fs::path(NOTARO_SOURCE_DIR) / "data" / "samples";
    int samples = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() != ".NTR")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        expectSameSpans(entry.path().filename().string(), encoding::decodeScoreFile(bytes.str()));
        ++samples;
    }
    EXPECT_GE(samples, 7);
}

TEST(ScoreHighlighter, FollowsTheHeaderAndCountsCharactersAsTheParser) {
    app::test::testApp();
    // Solfege letters after a solfege header, characters beyond one UTF-16 unit, tabs.
    expectSameSpans("solfege", "!! \xF0\x9D\x84\x9E clef\r\n**n[d-r-m]\r\n4d 4r\t4c\r\n"
                               "4s\xF0\x9F\x98\x80( 4l)| 4é\r\n!!$1, Ünïcode");
    expectSameSpans("bad header", "\r\n**n[x]\r\n4c 4r\r\n*t[90]");
}
