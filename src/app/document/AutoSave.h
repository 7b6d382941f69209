#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

class QWidget;

namespace notaro::app {

class DocumentController;
class RecoveryStore;
class ScoreEditor;
class UserPrompts;

/// Keeps a recovery copy of the modified document, so that a crash, a kill or a power cut
/// loses at most the last seconds of typing.
///
/// The copy is written kQuiet after the last keystroke, and at least every kMostWhileTyping
/// while typing goes on; both are single-shot timers, so nothing runs while nobody types. A
/// save, a new or opened document, or an undo back to the saved text removes the copy.
class AutoSave : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kQuiet{2000};
    static constexpr std::chrono::milliseconds kMostWhileTyping{30000};

    AutoSave(ScoreEditor& editor, DocumentController& document, RecoveryStore& store,
             QObject* parent = nullptr);

    /// Writes the copy now when the text is modified, else removes it.
    void writeNow();
    /// Offers each copy left by a program that no longer runs, one question per copy: Recover
    /// (the text becomes the modified document; the remaining copies wait for the next start),
    /// Discard (the copy is deleted) or Later (it stays). Nothing is deleted unasked.
    void offerRecovery(UserPrompts& prompts, QWidget* dialogParent);

Q_SIGNALS:
    /// A copy could not be written; message names the folder and the reason.
    void copyFailed(const QString& message);

private:
    void textEdited();
    void forget();

    ScoreEditor& editor_;
    DocumentController& document_;
    RecoveryStore& store_;
    QTimer quiet_;
    QTimer longest_;
};

} // namespace notaro::app
