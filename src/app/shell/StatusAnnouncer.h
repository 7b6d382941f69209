#pragma once

#include <QObject>
#include <QString>

class QLabel;

namespace notaro::app {

/// The status line's message label as assistive technology hears it. A new message is announced
/// as a change of the label's name (its text). While asked to, it also speaks the sounding note
/// in that label during a play; the message comes back when the play ends.
class StatusAnnouncer : public QObject {
    Q_OBJECT
public:
    explicit StatusAnnouncer(QLabel& label, QObject* parent = nullptr);

    /// Shows and announces @p message (a syntax error, "" for a correct score, a notice).
    void showMessage(const QString& message);
    /// Whether sounding notes are announced.
    void setNotesAnnounced(bool on);
    bool notesAnnounced() const { return notesAnnounced_; }
    /// Announces the note @p text at 1-based @p line, when notes are announced.
    void noteSounding(const QString& text, int line);
    /// Puts the last message back after notes were announced.
    void playEnded();

private:
    void say(const QString& text);

    QLabel& label_;
    QString message_;
    bool notesAnnounced_ = false;
    bool showingNote_ = false;
};

} // namespace notaro::app
