#pragma once

#include "score/Transposition.h"

#include <QPlainTextEdit>

#include <cstdint>
#include <string>
#include <vector>

namespace notaro::app {

/// The score text editor (txtAram): a plain-text editor without wrapping, both scroll bars,
/// a monospaced font, and a selection that stays visible while another control has the focus.
///
/// Its operations count characters over the whole text as the score files hold it: every
/// line break is CR LF and counts as two characters. Line indices are 0-based.
class ScoreEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ScoreEditor(QWidget* parent = nullptr);

    /// The whole text with CR LF line breaks, as UTF-8 (what the parser and files get).
    std::string scoreText() const;
    /// Replaces the whole text (any line ends); the caret goes to the start.
    void setScoreText(const std::string& utf8);
    /// Number of characters of scoreText (CR LF counting two).
    int32_t scoreLength() const;

    /// Index of the first character of line; -1 when the line does not exist.
    int32_t lineStartChar(int32_t line) const;
    /// Line that holds the character at index; index -1 means the caret's line.
    int32_t lineOfChar(int32_t index) const;
    /// lineOfChar(-1).
    int32_t caretLineIndex() const;
    /// Characters between the caret and the nearest LF before it (0 at a line start).
    int32_t caretColumn() const;
    /// Selects the whole line without its line break. @return 0, or -1 for no such line
    int32_t selectLine(int32_t line);
    /// Selects length characters from offset in line when start + offset lies between 1 and
    /// start + line length inclusive. @return 0 done, -1 not done (nothing changes)
    int32_t selectInLine(int32_t line, int32_t offset, int32_t length);
    /// Selects length characters from the character index (CR LF counting two).
    void selectChars(int32_t start, int32_t length);
    /// Start and length of the selection in characters (CR LF counting two).
    int32_t selStart() const;
    int32_t selLength() const;
    /// Makes the edits (in text order, not overlapping, counted as selStart counts) as one
    /// undoable change. The selection then covers what it covered, with the edits made.
    void replaceChars(const std::vector<TextEdit>& edits);

    /// Most characters the text may hold (CR LF counting two); 0 for no limit. Typing, pasting
    /// or dropping text that would pass it changes nothing and emits limitReached instead, so
    /// every text the editor holds can be saved and opened again.
    void setCharacterLimit(int32_t limit) { characterLimit_ = limit; }
    int32_t characterLimit() const { return characterLimit_; }

    /// The editor's modification flag.
    bool isTextModified() const;
    void setTextModified(bool flag);

    /// Marks length characters from offset in line, or the whole line when length <= 0, with
    /// a red wavy underline whose tool tip is message. The mark moves with later edits.
    void setErrorMark(int32_t line, int32_t offset, int32_t length, const QString& message);
    void clearErrorMark();
    /// The marked range (start and length in characters, CR LF counting two); length 0 when
    /// nothing is marked.
    int32_t errorMarkStart() const;
    int32_t errorMarkLength() const;
    const QString& errorMessage() const { return errorMessage_; }

Q_SIGNALS:
    /// The caret line display must be renewed: a click, the focus, a key press or release.
    void caretLineMayHaveChanged();
    /// A file was dropped on the editor (its text is not pasted in).
    void fileDropped(const QString& path);
    /// Text was refused because the score would pass the character limit.
    void limitReached();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    /// Document position (one per line break) of a character index (two per line break).
    int documentPosition(int32_t index) const;
    /// Character index (two per line break) of a document position.
    int32_t charIndex(int position) const;
    void keepSelectionVisible();
    /// True (and limitReached emitted) when putting text in place of the selection would make
    /// the score longer than the limit.
    bool refuseInsert(const QString& text);
    /// Characters (not breaks) in the line of block number line.
    int32_t lineLength(int32_t line) const;
    /// Characters outside the BMP in the lines before line: the document counts each of them
    /// twice (a surrogate pair), the score text once.
    int32_t pairsBefore(int32_t line) const;
    int32_t pairsInLine(int32_t line) const { return pairsBefore(line + 1) - pairsBefore(line); }
    void noteContentsChange(int position, int removed, int added);

    /// pairsBefore for every line and one past the last, built when first needed after an
    /// edit; empty while the text holds no pair at all (the common case, kept across typing).
    mutable std::vector<int32_t> pairsBefore_;
    mutable bool pairsValid_ = false;
    bool adjustingPalette_ = false;
    int32_t characterLimit_ = 0;
    QString errorMessage_;
};

} // namespace notaro::app
