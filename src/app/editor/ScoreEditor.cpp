#include "app/editor/ScoreEditor.h"

#include "base/TextUtil.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolTip>
#include <QUrl>

#include <algorithm>

namespace notaro::app {

namespace {

/// Above this many inserted characters the pair table is rebuilt instead of scanning them.
constexpr int kScanInsertLimit = 256;

bool isPairEnd(const QString& s, int i) {
    return i > 0 && s.at(i).isLowSurrogate() && s.at(i - 1).isHighSurrogate();
}

/// Characters (code points, as the parser counts them) among the first n units of s.
int32_t codePoints(const QString& s, int n) {
    int32_t pairs = 0;
    for (int i = 1; i < n; ++i)
        pairs += isPairEnd(s, i) ? 1 : 0;
    return n - pairs;
}

/// Units of s that hold its first count characters.
int unitsOf(const QString& s, int32_t count) {
    int i = 0;
    for (int32_t c = 0; c < count && i < s.size(); ++c)
        i += (i + 1 < s.size() && isPairEnd(s, i + 1)) ? 2 : 1;
    return i;
}

} // namespace

ScoreEditor::ScoreEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier New"), 12);
    font.setStyleHint(QFont::TypeWriter);
    setFont(font);
    setTabStopDistance(8 * QFontMetricsF(font).horizontalAdvance(QLatin1Char(' ')));
    keepSelectionVisible();
    connect(document(), &QTextDocument::contentsChange, this, &ScoreEditor::noteContentsChange);
}

std::string ScoreEditor::scoreText() const {
    // Built from the blocks: toPlainText would turn no-break spaces into spaces.
    std::string text;
    text.reserve(static_cast<size_t>(document()->characterCount() + document()->blockCount()));
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
        text += b.text().toStdString();
        if (b.next().isValid())
            text += "\r\n";
    }
    return text;
}

void ScoreEditor::setScoreText(const std::string& utf8) {
    // The document turns CR LF, LF and lone CR alike into one paragraph break.
    setPlainText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    moveCursor(QTextCursor::Start);
    document()->setModified(false);
}

int32_t ScoreEditor::scoreLength() const {
    const int32_t lines = document()->blockCount();
    return document()->characterCount() - 1 - pairsBefore(lines) + (lines - 1);
}

int32_t ScoreEditor::lineStartChar(int32_t line) const {
    if (line < 0 || line >= document()->blockCount())
        return -1;
    return document()->findBlockByNumber(line).position() - pairsBefore(line) + line;
}

int32_t ScoreEditor::lineOfChar(int32_t index) const {
    if (index < 0)
        return textCursor().blockNumber();
    // The last line whose start is at or before index: line starts grow with the line.
    int32_t lo = 0, hi = document()->blockCount() - 1;
    while (lo < hi) {
        const int32_t mid = lo + (hi - lo + 1) / 2;
        if (lineStartChar(mid) <= index)
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

int32_t ScoreEditor::caretLineIndex() const {
    return lineOfChar(-1);
}

int32_t ScoreEditor::caretColumn() const {
    const QTextCursor cursor = textCursor();
    const int inBlock = cursor.positionInBlock();
    if (pairsInLine(cursor.blockNumber()) == 0)
        return inBlock;
    return codePoints(cursor.block().text(), inBlock);
}

int32_t ScoreEditor::selectLine(int32_t line) {
    const int32_t start = lineStartChar(line);
    if (start < 0)
        return -1;
    selectChars(start, lineLength(line));
    return 0;
}

int32_t ScoreEditor::selectInLine(int32_t line, int32_t offset, int32_t length) {
    const int32_t start = lineStartChar(line);
    if (start < 0)
        return -1;
    const int64_t position = int64_t{start} + offset;
    if (position < 1 || position > int64_t{start} + lineLength(line))
        return -1;
    selectChars(static_cast<int32_t>(position), length);
    return 0;
}

void ScoreEditor::selectChars(int32_t start, int32_t length) {
    const int64_t end = std::clamp<int64_t>(int64_t{start} + length, 0, scoreLength());
    QTextCursor cursor(document());
    cursor.setPosition(documentPosition(start));
    cursor.setPosition(documentPosition(static_cast<int32_t>(end)), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
}

int32_t ScoreEditor::selStart() const {
    return charIndex(textCursor().selectionStart());
}

int32_t ScoreEditor::selLength() const {
    const QTextCursor cursor = textCursor();
    return charIndex(cursor.selectionEnd()) - charIndex(cursor.selectionStart());
}

void ScoreEditor::replaceChars(const std::vector<TextEdit>& edits) {
    // Where a place of the old text lies in the new one; a place inside an edit goes to the
    // edit's start, or for the selection's end to the end of what replaced it.
    const auto moved = [&edits](int32_t place, bool isEnd) {
        int64_t shift = 0;
        for (const TextEdit& e : edits) {
            if (e.start >= place)
                break;
            const int32_t written = text::charCount(e.text);
            if (e.start + e.length > place)
                return static_cast<int32_t>(e.start + shift + (isEnd ? written : 0));
            shift += written - e.length;
        }
        return static_cast<int32_t>(place + shift);
    };
    const int32_t start = moved(selStart(), false);
    const int32_t end = moved(selStart() + selLength(), true);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    // From the last edit back, so the places of the others stay as they are.
    for (auto e = edits.rbegin(); e != edits.rend(); ++e) {
        cursor.setPosition(documentPosition(e->start));
        cursor.setPosition(documentPosition(e->start + e->length), QTextCursor::KeepAnchor);
        cursor.insertText(QString::fromStdString(e->text));
    }
    cursor.endEditBlock();
    selectChars(start, end - start);
}

bool ScoreEditor::isTextModified() const {
    return document()->isModified();
}

void ScoreEditor::setTextModified(bool flag) {
    document()->setModified(flag);
}

void ScoreEditor::mousePressEvent(QMouseEvent* event) {
    QPlainTextEdit::mousePressEvent(event);
    Q_EMIT caretLineMayHaveChanged();
}

void ScoreEditor::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    Q_EMIT caretLineMayHaveChanged();
}

void ScoreEditor::keyPressEvent(QKeyEvent* event) {
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString typed = lineBreak ? QStringLiteral("\n") : event->text();
    const bool inserts = !typed.isEmpty() && (typed.at(0) >= QLatin1Char(' ') ||
                                              typed.at(0) == QLatin1Char('\t') || lineBreak);
    if (inserts && refuseInsert(typed)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
    Q_EMIT caretLineMayHaveChanged();
}

void ScoreEditor::keyReleaseEvent(QKeyEvent* event) {
    QPlainTextEdit::keyReleaseEvent(event);
    Q_EMIT caretLineMayHaveChanged();
}

void ScoreEditor::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        keepSelectionVisible();
        break;
    case QEvent::FontChange:
        setTabStopDistance(8 * QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')));
        break;
    default:
        break;
    }
}

bool ScoreEditor::refuseInsert(const QString& text) {
    if (characterLimit_ <= 0)
        return false;
    // Any line end becomes one break, which the score text holds as CR LF.
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const int64_t added =
        codePoints(lines, static_cast<int>(lines.size())) + lines.count(QLatin1Char('\n'));
    if (int64_t{scoreLength()} - selLength() + added <= characterLimit_)
        return false;
    Q_EMIT limitReached();
    return true;
}

int ScoreEditor::documentPosition(int32_t index) const {
    if (index <= 0)
        return 0;
    if (index >= scoreLength())
        return document()->characterCount() - 1;
    const int32_t line = lineOfChar(index);
    // An index on the CR or the LF of a break stands at the end of its line.
    const int32_t offset = std::min(index - lineStartChar(line), lineLength(line));
    const QTextBlock block = document()->findBlockByNumber(line);
    if (pairsInLine(line) == 0)
        return block.position() + offset;
    return block.position() + unitsOf(block.text(), offset);
}

int32_t ScoreEditor::charIndex(int position) const {
    position = std::clamp(position, 0, document()->characterCount() - 1);
    const QTextBlock block = document()->findBlock(position);
    const int32_t line = block.blockNumber();
    const int inBlock = position - block.position();
    const int32_t offset = pairsInLine(line) == 0 ? inBlock : codePoints(block.text(), inBlock);
    return lineStartChar(line) + offset;
}

void ScoreEditor::keepSelectionVisible() {
    // Playback and syntax errors select text while the focus is elsewhere (on a button): the
    // inactive selection colours are the active ones, renewed whenever the palette changes.
    if (adjustingPalette_)
        return;
    QPalette pal = palette();
    bool changed = false;
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        if (pal.brush(QPalette::Inactive, role) != pal.brush(QPalette::Active, role)) {
            pal.setBrush(QPalette::Inactive, role, pal.brush(QPalette::Active, role));
            changed = true;
        }
    }
    if (!changed)
        return;
    adjustingPalette_ = true;
    setPalette(pal);
    adjustingPalette_ = false;
}

int32_t ScoreEditor::lineLength(int32_t line) const {
    return document()->findBlockByNumber(line).length() - 1 - pairsInLine(line);
}

int32_t ScoreEditor::pairsBefore(int32_t line) const {
    if (!pairsValid_) {
        pairsBefore_.assign(1, 0);
        int32_t total = 0;
        for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
            const QString text = b.text();
            total += text.size() - codePoints(text, text.size());
            pairsBefore_.push_back(total);
        }
        if (total == 0)
            pairsBefore_.clear();
        pairsValid_ = true;
    }
    if (pairsBefore_.empty())
        return 0;
    return pairsBefore_[static_cast<size_t>(
        std::clamp<int32_t>(line, 0, static_cast<int32_t>(pairsBefore_.size()) - 1))];
}

void ScoreEditor::noteContentsChange(int position, int /*removed*/, int added) {
    // While the text holds no pair, an edit keeps it so unless it inserts a surrogate: typing
    // then never costs a scan of the whole text.
    if (!pairsValid_ || !pairsBefore_.empty() || added > kScanInsertLimit) {
        pairsValid_ = false;
        return;
    }
    for (int i = position; i < position + added; ++i) {
        if (document()->characterAt(i).isSurrogate()) {
            pairsValid_ = false;
            return;
        }
    }
}

void ScoreEditor::setErrorMark(int32_t line, int32_t offset, int32_t length,
                               const QString& message) {
    const int32_t start = lineStartChar(line);
    if (start < 0 || message.isEmpty()) {
        clearErrorMark();
        return;
    }
    const int32_t lineChars = lineLength(line);
    if (length <= 0 || offset < 0 || offset >= lineChars) {
        offset = 0;
        length = lineChars;
    }
    length = std::min(length, lineChars - offset);
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(document());
    mark.cursor.setPosition(documentPosition(start + offset));
    mark.cursor.setPosition(documentPosition(start + offset + std::max(length, 0)),
                            QTextCursor::KeepAnchor);
    mark.format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    mark.format.setUnderlineColor(Qt::red);
    mark.format.setToolTip(message);
    errorMessage_ = message;
    setExtraSelections({mark});
}

void ScoreEditor::clearErrorMark() {
    errorMessage_.clear();
    setExtraSelections({});
}

int32_t ScoreEditor::errorMarkStart() const {
    const auto marks = extraSelections();
    return marks.isEmpty() ? 0 : charIndex(marks.first().cursor.selectionStart());
}

int32_t ScoreEditor::errorMarkLength() const {
    const auto marks = extraSelections();
    if (marks.isEmpty())
        return 0;
    return charIndex(marks.first().cursor.selectionEnd()) -
           charIndex(marks.first().cursor.selectionStart());
}

bool ScoreEditor::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && !errorMessage_.isEmpty()) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int position = cursorForPosition(viewport()->mapFrom(this, help->pos())).position();
        const auto marks = extraSelections();
        if (!marks.isEmpty() && position >= marks.first().cursor.selectionStart() &&
            position <= marks.first().cursor.selectionEnd()) {
            QToolTip::showText(help->globalPos(), errorMessage_, this);
            return true;
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QPlainTextEdit::event(event);
}

namespace {

/// The first local file of a drop, or "".
QString droppedFile(const QMimeData* source) {
    if (!source || !source->hasUrls())
        return {};
    for (const QUrl& url : source->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

} // namespace

bool ScoreEditor::canInsertFromMimeData(const QMimeData* source) const {
    return !droppedFile(source).isEmpty() || QPlainTextEdit::canInsertFromMimeData(source);
}

void ScoreEditor::insertFromMimeData(const QMimeData* source) {
    const QString file = droppedFile(source);
    if (file.isEmpty()) {
        if (!refuseInsert(source->text()))
            QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    // A dropped score opens as a document; its path is not typed into the score.
    emit fileDropped(file);
}

} // namespace notaro::app
