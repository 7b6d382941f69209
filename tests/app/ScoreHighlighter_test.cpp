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
#include <tuple>

namespace fs = std::filesystem;
using namespace notaro;
using tokens::TokenKind;

namespace {

using Span = std::tuple<int, int, int>; // kind, first character, characters

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
    int spans = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const std::string line = text.toStdString();
        std::vector<Span> expected, shown;
        for (const tokens::TokenSpan& s : tokens::scanLine(line, place))
            expected.emplace_back(static_cast<int>(s.kind), s.start, s.length);
        for (const QTextLayout::FormatRange& r : block.layout()->formats()) {
            const auto kind = kindOfColour.find(r.format.foreground().color().rgb());
            ASSERT_NE(kind, kindOfColour.end()) << name;
            const int start = codePoints(text, r.start);
            shown.emplace_back(kind->second, start, codePoints(text, r.start + r.length) - start);
        }
        EXPECT_EQ(shown, expected) << name << ": " << line;
        spans += static_cast<int>(expected.size());
    }
    EXPECT_GT(spans, 0) << name;
}

} // namespace

TEST(ScoreHighlighter, ColoursEverySampleLineAsTheParserReadsIt) {
    app::test::testApp();
    int samples = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(NOTARO_SOURCE_DIR) / "data/samples")) {
        if (entry.path().extension() != ".NTR")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        expectSameSpans(entry.path().filename().string(), encoding::decodeScoreFile(bytes));
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
