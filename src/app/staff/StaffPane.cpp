#include "app/staff/StaffPane.h"

#include "app/editor/LiveSyntaxCheck.h"
#include "app/editor/ScoreEditor.h"
#include "app/staff/StaffView.h"
#include "settings/OnRatios.h"
#include "settings/cInifile.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace notaro::app {

namespace {

constexpr const char* kSection = "Staff";
constexpr const char* kShownKey = "Show";
/// Quiet time after a resize before the staff is engraved again for the new width.
constexpr int kResizeDelayMs = 200;

} // namespace

StaffPane::StaffPane(ScoreEditor& editor, LiveSyntaxCheck& check, QWidget* parent)
    : QWidget(parent), editor_(editor), check_(check) {
    setObjectName(QStringLiteral("staffPane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("lblStaffMessage"));
    message_->setIndent(4);
    message_->hide();
    layout->addWidget(message_);
    scroll_ = new QScrollArea(this);
    scroll_->setBackgroundRole(QPalette::Base);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_ = new StaffView;
    scroll_->setWidget(view_);
    layout->addWidget(scroll_);
    resizeTimer_.setSingleShot(true);
    resizeTimer_.setInterval(kResizeDelayMs);
    connect(&resizeTimer_, &QTimer::timeout, this, &StaffPane::request);
    connect(&watcher_, &QFutureWatcher<StaffRenderingPtr>::finished, this, &StaffPane::finished);
    connect(&check_, &LiveSyntaxCheck::snapshotChanged, this, &StaffPane::request);
    connect(&check_, &LiveSyntaxCheck::checked, this, &StaffPane::checked);
    connect(&editor_, &QPlainTextEdit::cursorPositionChanged, this, &StaffPane::followCaret);
    connect(view_, &StaffView::noteClicked, this, &StaffPane::selectNote);
    connect(view_, &StaffView::pagesShown, this, &StaffPane::rendered);
    connect(scroll_->verticalScrollBar(), &QScrollBar::valueChanged, view_,
            &StaffView::wantVisiblePages);
}

StaffPane::~StaffPane() {
    if (cancel_)
        cancel_->store(true);
    watcher_.disconnect();
    watcher_.waitForFinished();
}

bool StaffPane::loadShown() {
    cInifile ini;
    ini.setPath(paraIniPath());
    ini.setSection(kSection);
    ini.setKey(kShownKey);
    ini.setDefault("0");
    return ini.Value() == "1";
}

void StaffPane::saveShown(bool shown) {
    cInifile ini;
    ini.setPath(paraIniPath());
    ini.setSection(kSection);
    ini.setKey(kShownKey);
    ini.setValue(shown ? "1" : "0");
}

double StaffPane::pageWidth() const {
    return qMax(200, scroll_->viewport()->width());
}

void StaffPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    request();
}

void StaffPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const StaffRenderingPtr& shown = view_->rendering();
    if (shown && qAbs(shown->width - pageWidth()) >= 1)
        resizeTimer_.start();
}

void StaffPane::request() {
    if (!isVisible() || !check_.snapshot())
        return;
    if (watcher_.isRunning()) {
        // The running engraving is overtaken: stop it, and start again once it has ended.
        cancel_->store(true);
        pending_ = true;
        return;
    }
    start();
}

void StaffPane::start() {
    pending_ = false;
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    watcher_.setFuture(
        QtConcurrent::run([snapshot = check_.snapshot(), width = pageWidth(), cancel = cancel_] {
            return renderStaff(snapshot, width, cancel.get());
        }));
}

void StaffPane::finished() {
    if (pending_) {
        start();
        return;
    }
    const StaffRenderingPtr r = watcher_.result();
    using interchange::EngraveStatus;
    if (r->status == EngraveStatus::Cancelled)
        return;
    if (r->status == EngraveStatus::Missing) {
        view_->setRendering(nullptr);
        message_->setText(QStringLiteral("The staff needs the program abcm2ps: install the "
                                         "Debian package %1.")
                              .arg(QLatin1String(interchange::kEngraverPackage)));
        message_->show();
    } else if (r->status != EngraveStatus::Done) {
        const QString why = r->status == EngraveStatus::TimedOut
                                ? QStringLiteral("it took too long")
                                : r->message.section(QLatin1Char('\n'), 0, 0).trimmed();
        message_->setText(QStringLiteral("The staff could not be engraved: %1").arg(why));
        message_->show();
    } else {
        view_->setRendering(r);
        view_->setStale(!errorMessage_.isEmpty());
        message_->setText(errorMessage_);
        message_->setVisible(!errorMessage_.isEmpty());
        followCaret();
        // The staff counts as shown once the pages in view are drawn (StaffView::pagesShown).
        view_->wantVisiblePages();
        return;
    }
    emit rendered();
}

void StaffPane::checked(const QString& message) {
    errorMessage_ = message;
    view_->setStale(!message.isEmpty());
    followCaret();
    if (!message.isEmpty() || view_->rendering()) {
        message_->setText(message);
        message_->setVisible(!message.isEmpty());
    }
}

void StaffPane::followCaret() {
    const StaffRenderingPtr& r = view_->rendering();
    if (!r)
        return;
    // A greyed staff is an older text than the editor's: its notes are not where the caret is.
    if (view_->isStale()) {
        view_->setCaretNotes({});
        return;
    }
    std::vector<int32_t> notes = r->notesAtCaret(editor_.caretLineIndex(), editor_.caretColumn());
    if (!notes.empty())
        reveal(notes.front());
    view_->setCaretNotes(std::move(notes));
}

void StaffPane::selectNote(int32_t note) {
    const StaffRenderingPtr& r = view_->rendering();
    const cGnsNote& rec = r->snapshot->score.theNotes(r->noteRecords[note]);
    editor_.selectInLine(rec.noteLineNum - 1, rec.noteCharNum, rec.noteStrLen);
    editor_.setFocus();
}

void StaffPane::reveal(int32_t note) {
    const QRectF box = view_->rendering()->noteBoxes[note];
    scroll_->ensureVisible(qRound(box.center().x()), qRound(box.center().y()), 0,
                           qRound(box.height()));
}

void StaffPane::showSounding(int32_t record) {
    const StaffRenderingPtr& r = view_->rendering();
    if (!r || record < 0 || record >= static_cast<int32_t>(r->noteOfRecord.size()))
        return;
    const int32_t note = r->noteOfRecord[record];
    view_->setSoundingNote(note);
    if (note >= 0)
        reveal(note);
}

void StaffPane::playingStopped() {
    view_->setSoundingNote(-1);
}

} // namespace notaro::app
