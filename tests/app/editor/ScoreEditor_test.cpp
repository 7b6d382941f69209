#include "app/editor/ScoreEditor.h"
#include "tests/app/AppTestSupport.h"

#include <QClipboard>
#include <QLineEdit>
#include <QScrollBar>

namespace notaro::app::test {
namespace {

TEST(ScoreEditor, CountsAndSelectsCharactersAndShowsTheSelectionWithoutFocus) {
    testApp();
    QWidget host;
    ScoreEditor& ed = *new ScoreEditor(&host);
    ed.setScoreText("plain"); // the counts of a text without pairs must not outlive it
    ASSERT_EQ(ed.scoreLength(), 5);
    // Line starts 0, 7, 9, 18; "é" and "𝄞" are one character each; mixed line ends.
    ed.setScoreText("title\n\r\n\xC3\xA9 c4 d4\rx\xF0\x9D\x84\x9E e8 f8");
    EXPECT_EQ(ed.scoreText(), "title\r\n\r\n\xC3\xA9 c4 d4\r\nx\xF0\x9D\x84\x9E e8 f8");
    EXPECT_EQ(ed.scoreLength(), 26);
    EXPECT_FALSE(ed.isTextModified());
    // Selecting in a line (length -1: the whole line) from the selection 1+2: return code,
    // selection (CR LF counting two), selected text and caret line:column.
    const std::tuple<int32_t, int32_t, int32_t, const char*> rows[] = {
        {3, 3, 2, "0 21+2 'e8' @3:5"},
        {3, 8, 0, "0 26+0 '' @3:8"},
        {1, 0, 0, "0 7+0 '' @1:0"},
        {0, 5, 4, "0 5+4 '\xE2\x80\xA9\xE2\x80\xA9' @2:0"},
        {0, 0, 5, "-1 1+2 'it' @0:3"},
        {3, 9, 1, "-1 1+2 'it' @0:3"},
        {2, 0, -1, "0 9+7 '\xC3\xA9 c4 d4' @2:7"},
        {4, 0, -1, "-1 1+2 'it' @0:3"},
        {-1, 0, -1, "-1 1+2 'it' @0:3"}};
    for (const auto& [line, offset, length, expected] : rows) {
        ed.selectChars(1, 2);
        const int32_t rc = length < 0 ? ed.selectLine(line) : ed.selectInLine(line, offset, length);
        EXPECT_EQ(QString::asprintf("%d %d+%d '%s' @%d:%d", rc, ed.selStart(), ed.selLength(),
                                    qUtf8Printable(ed.textCursor().selectedText()),
                                    ed.lineOfChar(-1), ed.caretColumn())
                      .toStdString(),
                  expected);
    }
    // The selection scrolls into view and stays visible without the focus.
    auto* other = new QLineEdit(&host);
    ed.setGeometry(0, 30, 300, 200);
    ASSERT_TRUE(showActive(host));
    ed.setScoreText(std::string(200, '\n') + "c4 d4 e4");
    QPalette pal = ed.palette(); // a palette set later must keep the rule
    pal.setColor(QPalette::Active, QPalette::Highlight, Qt::red);
    ed.setPalette(pal);
    ed.setFocus();
    QTest::keyClick(&ed, Qt::Key_X);
    EXPECT_TRUE(ed.isTextModified());
    other->setFocus();
    ASSERT_FALSE(ed.hasFocus());
    EXPECT_EQ(ed.selectInLine(200, 3, 2), 0);
    EXPECT_GT(ed.verticalScrollBar()->value(), 150);
    const QImage img = ed.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* px = reinterpret_cast<const QRgb*>(img.constBits());
    EXPECT_GT(std::count(px, px + img.width() * img.height(), qRgb(255, 0, 0)), 50);
}

TEST(ScoreEditor, TypingOrPastingPastTheLimitChangesNothingAndSaysSo) {
    testApp();
    QWidget host;
    ScoreEditor& ed = *new ScoreEditor(&host);
    ed.setCharacterLimit(10);
    int refused = 0;
    QObject::connect(&ed, &ScoreEditor::limitReached, [&refused] { ++refused; });
    ed.setScoreText("1234567");
    ed.selectChars(7, 0);
    // Typed or pasted ("\t" pastes what follows) at the end: the text after, and refusals so
    // far. A line break counts two, a character outside the BMP one.
    const std::tuple<const char*, const char*, int> rows[] = {
        {"8", "12345678", 0},
        {"\t\xF0\x9D\x84\x9E", "12345678\xF0\x9D\x84\x9E", 0},
        {"\t\r\n", "12345678\xF0\x9D\x84\x9E", 1},
        {"9",
         "12345678\xF0\x9D\x84\x9E"
         "9",
         1},
        {"0",
         "12345678\xF0\x9D\x84\x9E"
         "9",
         2},
        {"\n",
         "12345678\xF0\x9D\x84\x9E"
         "9",
         3}};
    for (const auto& [input, after, refusals] : rows) {
        SCOPED_TRACE(input);
        if (input[0] == '\t') {
            QApplication::clipboard()->setText(QString::fromUtf8(input + 1));
            ed.paste();
        } else if (input[0] == '\n') {
            QTest::keyClick(&ed, Qt::Key_Return);
        } else {
            QTest::keyClicks(&ed, QString::fromUtf8(input));
        }
        EXPECT_EQ(ed.scoreText(), after);
        EXPECT_EQ(refused, refusals);
    }
    ed.selectChars(0, 2); // two characters go, a break (two) comes in
    QTest::keyClick(&ed, Qt::Key_Return);
    EXPECT_EQ(ed.scoreText(), "\r\n345678\xF0\x9D\x84\x9E"
                              "9");
    EXPECT_EQ(refused, 3);
}

} // namespace
} // namespace notaro::app::test
