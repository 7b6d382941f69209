#include "app/editor/ScoreHighlighter.h"
#include "tests/app/AppTestSupport.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <map>

namespace notaro::app::test {
namespace {

/// Colours every line of text with the highlighter and compares each block's formats, read
/// back as kinds by colour and counted in characters (code points), with the token scan.
void expectSameSpans(const std::string& name, const std::string& utf8) {
    std::map<QRgb, int> kindOfColour;
    for (int k = 0; k < tokens::kTokenKindCount; ++k) {
        const auto f = ScoreHighlighter::formatOf(static_cast<tokens::TokenKind>(k));
        ASSERT_TRUE(kindOfColour.emplace(f.foreground().color().rgb(), k).second) << k;
    }
    QTextDocument doc;
    doc.setPlainText(QString::fromStdString(utf8));
    ScoreHighlighter highlighter(&doc);
    highlighter.rehighlight();
    auto place = tokens::LinePlace::BeforeHeader;
    int spans = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const auto chars = [&](int units) { return int(text.left(units).toUcs4().size()); };
        std::vector<std::tuple<int, int, int>> expected, shown; // kind, first character, length
        for (const tokens::TokenSpan& s : tokens::scanLine(text.toStdString(), place))
            expected.emplace_back(static_cast<int>(s.kind), s.start, s.length);
        for (const QTextLayout::FormatRange& r : block.layout()->formats()) {
            const auto kind = kindOfColour.find(r.format.foreground().color().rgb());
            ASSERT_NE(kind, kindOfColour.end()) << name;
            shown.emplace_back(kind->second, chars(r.start),
                               chars(r.start + r.length) - chars(r.start));
        }
        EXPECT_EQ(shown, expected) << name << ": " << text.toStdString();
        spans += static_cast<int>(expected.size());
    }
    EXPECT_GT(spans, 0) << name;
}

TEST(ScoreHighlighter, ColoursEveryLineAsTheParserReadsIt) {
    testApp();
    // Solfege letters after a solfege header, characters beyond one UTF-16 unit, tabs.
    expectSameSpans("solfege", "!! \xF0\x9D\x84\x9E clef\r\n**n[d-r-m]\r\n4d 4r\t4c\r\n"
                               "4s\xF0\x9F\x98\x80( 4l)| 4é\r\n!!$1, Ünïcode\r\n!!$8, x");
    expectSameSpans("bad header", "\r\n**n[x]\r\n4c 4r\r\n*t[90]");
}

} // namespace
} // namespace notaro::app::test
