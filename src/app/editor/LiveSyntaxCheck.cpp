#include "app/editor/LiveSyntaxCheck.h"

#include "app/editor/ScoreEditor.h"

#include <QtConcurrent/QtConcurrentRun>

namespace notaro::app {

LiveSyntaxCheck::LiveSyntaxCheck(ScoreEditor& editor, QObject* parent)
    : QObject(parent), editor_(editor) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, &LiveSyntaxCheck::start);
    connect(&editor_, &QPlainTextEdit::textChanged, this, &LiveSyntaxCheck::textChanged);
    connect(&watcher_, &QFutureWatcherBase::finished, this, &LiveSyntaxCheck::finished);
}

LiveSyntaxCheck::~LiveSyntaxCheck() {
    // The worker holds its own copy of the text; only its result must not arrive here.
    watcher_.disconnect();
    watcher_.waitForFinished();
}

LiveSyntaxCheck::Result LiveSyntaxCheck::check(const std::string& text, uint64_t generation) {
    Result r;
    r.generation = generation;
    auto parsed = std::make_shared<ParseSnapshot>();
    parsed->generation = generation;
    r.error = parsed->score.parseAramText(text);
    if (r.error.ok()) {
        parsed->text = text;
        r.snapshot = std::move(parsed);
    }
    return r;
}

void LiveSyntaxCheck::textChanged() {
    ++generation_;
    timer_.start();
}

void LiveSyntaxCheck::start() {
    if (watcher_.isRunning()) {
        pending_ = true; // checked again as soon as the running check ends
        return;
    }
    watcher_.setFuture(
        QtConcurrent::run(&LiveSyntaxCheck::check, editor_.scoreText(), generation_));
}

void LiveSyntaxCheck::finished() {
    const Result r = watcher_.result();
    if (pending_) {
        pending_ = false;
        start();
    }
    if (r.generation != generation_)
        return; // the text has changed since; a newer check follows
    if (r.snapshot) {
        snapshot_ = r.snapshot;
        emit snapshotChanged();
    }
    // An internal failure before any line has no place to mark; Check Syntax reports it.
    if (r.error.line <= 0) {
        editor_.clearErrorMark();
        emit checked(QString());
        return;
    }
    const QString message = QStringLiteral("Error: ") + QString::fromStdString(r.error.message);
    editor_.setErrorMark(r.error.line - 1, r.error.column, r.error.length, message);
    emit checked(QStringLiteral("Line %1: %2").arg(r.error.line).arg(message));
}

} // namespace notaro::app
