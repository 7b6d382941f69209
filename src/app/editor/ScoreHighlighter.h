#pragma once

#include "score/ScoreTokens.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace notaro::app {

/// Colours score text as the parser reads it: note values, pitches, accidentals, marks, rests,
/// directives, definition lines, the header and comments each get their own foreground colour.
///
/// Every line is read by the score library's token scan, never by a grammar of its own, so a
/// colour always means what the parser will make of the text. Only foreground colours (and
/// italics for comments) are used, so the selection stays visible over any of them. The block
/// state carries the naming system chosen by the header to the lines after it: -1 before the
/// header, 0 after a letter-name header, 1 after a solfege header.
class ScoreHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    explicit ScoreHighlighter(QTextDocument* document);

    /// The format given to text of kind.
    static QTextCharFormat formatOf(tokens::TokenKind kind);

protected:
    void highlightBlock(const QString& text) override;
};

} // namespace notaro::app
