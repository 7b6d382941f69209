#include "app/editor/ScoreHighlighter.h"

#include "app/editor/ReadableColour.h"

#include <QByteArray>
#include <QColor>
#include <QEvent>
#include <QFont>
#include <QWidget>

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace notaro::app {

using tokens::TokenKind;

namespace {

struct Style {
    QRgb colour;
    bool bold;
    bool italic;
};

// Dark, saturated colours that read on white and stay apart from the selection's highlight;
// on another background each is made readable (ReadableColour).
// The notes themselves (values and pitches) are the darkest, since they are most of the text.
constexpr std::array<Style, tokens::kTokenKindCount> kStyles = {{
    {0x7b1fa2, true, false},  // Header
    {0x6b7280, false, true},  // Comment
    {0x2e7d32, false, true},  // MetaComment
    {0xb45309, false, false}, // Tempo
    {0xbe185d, false, false}, // Instrument
    {0x0f766e, false, false}, // DefStart
    {0x134e4a, false, false}, // DefEnd
    {0x0e7490, false, false}, // DefUse
    {0x1d4ed8, false, false}, // NoteValue
    {0x111827, false, false}, // Pitch
    {0xc2410c, false, false}, // Accidental
    {0x7c3aed, false, false}, // Mark
    {0x0369a1, false, false}, // Rest
    {0x9ca3af, false, false}, // Other
    {0xdc2626, false, false}, // Invalid
}};

std::array<QTextCharFormat, tokens::kTokenKindCount> formatsOn(const QColor& background) {
    std::array<QTextCharFormat, tokens::kTokenKindCount> t;
    for (size_t i = 0; i < t.size(); ++i) {
        t[i].setForeground(readableOn(QColor::fromRgb(kStyles[i].colour), background));
        if (kStyles[i].bold)
            t[i].setFontWeight(QFont::Bold);
        if (kStyles[i].italic)
            t[i].setFontItalic(true);
    }
    return t;
}

/// UTF-16 position of every character (code point) of text, and one past the end; empty when
/// the two counts agree, as they do for any text without surrogate pairs.
std::vector<int> unitPositions(const QString& text) {
    std::vector<int> units;
    bool pairs = false;
    for (const QChar c : text)
        pairs = pairs || c.isSurrogate();
    if (!pairs)
        return units;
    for (int i = 0; i < text.size(); ++i) {
        units.push_back(i);
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
    }
    units.push_back(static_cast<int>(text.size()));
    return units;
}

} // namespace

ScoreHighlighter::ScoreHighlighter(QTextDocument* document)
    : QSyntaxHighlighter(document), formats_(formatsOn(background_)) {}

QTextCharFormat ScoreHighlighter::formatOf(TokenKind kind, const QColor& background) {
    return formatsOn(background)[static_cast<size_t>(kind)];
}

void ScoreHighlighter::followPalette(QWidget& editor) {
    editor.installEventFilter(this);
    setBackground(editor.palette().color(QPalette::Base));
}

void ScoreHighlighter::setBackground(const QColor& background) {
    if (background == background_)
        return;
    background_ = background;
    formats_ = formatsOn(background);
    rehighlight();
}

bool ScoreHighlighter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::PaletteChange)
        setBackground(static_cast<QWidget*>(watched)->palette().color(QPalette::Base));
    return QSyntaxHighlighter::eventFilter(watched, event);
}

void ScoreHighlighter::highlightBlock(const QString& text) {
    const int previous = previousBlockState();
    auto place = tokens::LinePlace::BeforeHeader;
    if (previous == 0 || previous == 1)
        place = static_cast<tokens::LinePlace>(previous);
    const QByteArray utf8 = text.toUtf8();
    const std::vector<tokens::TokenSpan> spans = tokens::scanLine(
        std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())), place);
    setCurrentBlockState(static_cast<int>(place));

    const std::vector<int> units = unitPositions(text);
    for (const tokens::TokenSpan& s : spans) {
        int start = s.start;
        int end = s.start + s.length;
        if (!units.empty()) {
            // A lone surrogate reads as one character, so the counts agree; clamp all the same.
            const size_t last = units.size() - 1;
            start = units[std::min(static_cast<size_t>(start), last)];
            end = units[std::min(static_cast<size_t>(end), last)];
        }
        setFormat(start, end - start, formats_[static_cast<size_t>(s.kind)]);
    }
}

} // namespace notaro::app
