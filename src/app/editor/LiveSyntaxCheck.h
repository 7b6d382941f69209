#pragma once

#include "app/editor/ParseSnapshot.h"
#include "score/ParseError.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>

namespace notaro::app {

class ScoreEditor;

/// Checks the score while the user types: half a second after the last change, a copy of the
/// whole text is parsed on a worker thread, and the first error's token (or line) is marked in
/// the editor with its message. The user-interface thread never waits for a check; a check
/// that a later edit has overtaken is dropped.
///
/// The latest parse that succeeded stays available as a snapshot for the views that follow the
/// score; while the text has an error, the last correct parse stays.
class LiveSyntaxCheck : public QObject {
    Q_OBJECT
public:
    /// Quiet time after the last change before the text is checked.
    static constexpr int kDelayMs = 500;

    explicit LiveSyntaxCheck(ScoreEditor& editor, QObject* parent = nullptr);
    ~LiveSyntaxCheck() override;

    /// The debounce timer (tests fire it themselves instead of waiting).
    QTimer& timer() { return timer_; }

    /// What one check found.
    struct Result {
        ParseError error;
        uint64_t generation = 0;
        /// The parse when the text parsed without error, else null.
        ParseSnapshotPtr snapshot;
    };
    /// Parses text as Check Syntax does (run on the worker thread).
    static Result check(const std::string& text, uint64_t generation);

    /// The latest check whose text parsed without error; null before the first.
    const ParseSnapshotPtr& snapshot() const { return snapshot_; }

Q_SIGNALS:
    /// A check has been applied: message is "Line N: Error: MESSAGE", or "" for a correct
    /// score.
    void checked(const QString& message);
    /// snapshot() holds a newer parse (emitted before checked).
    void snapshotChanged();

private:
    void textChanged();
    void start();
    void finished();

    ScoreEditor& editor_;
    QTimer timer_;
    QFutureWatcher<Result> watcher_;
    /// Counts the edits: the text a check started from is still there while it is unchanged.
    uint64_t generation_ = 0;
    bool pending_ = false;
    ParseSnapshotPtr snapshot_;
};

} // namespace notaro::app
