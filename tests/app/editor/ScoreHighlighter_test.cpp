#include "app/editor/ReadableColour.h"
#include "app/editor/ScoreHighlighter.h"
#include "tests/app/AppTestSupport.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QWidget>

#include <map>
#include <set>

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

TEST(ScoreHighlighter, EveryColourReadsOnALightAndADarkEditor) {
    testApp();
    EXPECT_DOUBLE_EQ(contrastRatio(Qt::black, Qt::white), 21.0);
    EXPECT_NEAR(contrastRatio(QColor(0x76, 0x76, 0x76), Qt::white), 4.54, 0.01);
    QPalette light(Qt::black, QColor(0xf0, 0xf0, 0xf0), Qt::white, Qt::gray, Qt::gray, Qt::black,
                   QColor(0xfa, 0xfa, 0xf5));
    QPalette dark(Qt::white, QColor(0x35, 0x35, 0x35), Qt::gray, Qt::black, Qt::darkGray, Qt::white,
                  QColor(0x1e, 0x1e, 0x1e));
    for (const QPalette& palette : {light, dark}) {
        QWidget editor;
        editor.setPalette(palette);
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("**n[c-d-e]\r\n!! a comment\r\n4c 4d# ?"));
        ScoreHighlighter highlighter(&doc);
        highlighter.followPalette(editor);
        const QColor base = palette.color(QPalette::Base);
        std::set<QRgb> colours;
        for (int k = 0; k < tokens::kTokenKindCount; ++k) {
            const QColor shown = ScoreHighlighter::formatOf(static_cast<tokens::TokenKind>(k), base)
                                     .foreground()
                                     .color();
            EXPECT_GE(contrastRatio(shown, base), 4.5) << k << " on " << base.name().toStdString();
            colours.insert(shown.rgb());
        }
        EXPECT_EQ(colours.size(), size_t(tokens::kTokenKindCount)) << "kinds stay apart";
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            for (const QTextLayout::FormatRange& r : block.layout()->formats())
                EXPECT_GE(contrastRatio(r.format.foreground().color(), base), 4.5);
        }
    }
}

} // namespace
} // namespace notaro::app::test
