#pragma once

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
    };
    /// Parses text as Check Syntax does (run on the worker thread).
    static Result check(const std::string& text, uint64_t generation);

Q_SIGNALS:
    /// A check has been applied: message is "Line N: Error: MESSAGE", or "" for a correct
    /// score.
    void checked(const QString& message);

private:
    void textChanged();
    void start();
    void finished();

    ScoreEditor& editor_;
    QTimer timer_;
    QFutureWatcher<Result> watcher_;
    uint64_t generation_ = 0;
    bool pending_ = false;
};

} // namespace notaro::app
