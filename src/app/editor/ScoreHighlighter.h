#pragma once

#include "score/ScoreTokens.h"

#include <QColor>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>

#include <array>

class QWidget;

namespace notaro::app {

/// Colours score text as the parser reads it: note values, pitches, accidentals, marks, rests,
/// directives, definition lines, the header and comments each get their own foreground colour.
///
/// Every line is read by the score library's token scan, never by a grammar of its own, so a
/// colour always means what the parser will make of the text. Only foreground colours (and
/// italics for comments) are used, so the selection stays visible over any of them. The block
/// state carries the naming system chosen by the header to the lines after it: -1 before the
/// header, 0 after a letter-name header, 1 after a solfege header.
///
/// Each colour keeps a contrast of at least 4.5:1 against the editor's background: where its
/// own shade does not reach it (on a dark palette, say), it is darkened or lightened until it
/// does, so it stays readable in any theme.
class ScoreHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit ScoreHighlighter(QTextDocument* document);

    /// The format given to text of kind on @p background.
    static QTextCharFormat formatOf(tokens::TokenKind kind, const QColor& background = Qt::white);

    /// Colours for the background (QPalette::Base) of @p editor, now and whenever its palette
    /// changes.
    void followPalette(QWidget& editor);
    /// Colours for @p background, and colours the text again when that changes them.
    void setBackground(const QColor& background);

protected:
    void highlightBlock(const QString& text) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QColor background_ = Qt::white;
    std::array<QTextCharFormat, tokens::kTokenKindCount> formats_;
};

} // namespace notaro::app
