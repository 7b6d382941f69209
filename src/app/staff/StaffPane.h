#pragma once

#include "app/staff/StaffRendering.h"

#include <QFutureWatcher>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <memory>

class QLabel;
class QScrollArea;

namespace notaro::app {

class LiveSyntaxCheck;
class ScoreEditor;
class StaffView;

/// The staff pane below the editor: the score engraved as music, following the live check.
///
/// After each parse the live check keeps, the score is written as ABC, engraved and drawn on
/// a worker thread (StaffRendering); a run that a newer parse or width overtakes is stopped
/// and dropped. While the text has an error, the last staff stays, greyed, under the error's
/// message. Clicking a note selects its token in the editor; the caret's notes and the
/// sounding note are marked and scrolled into view. Where the engraver is missing, one line
/// says which package to install. A hidden pane does no work.
class StaffPane : public QWidget {
    Q_OBJECT
public:
    StaffPane(ScoreEditor& editor, LiveSyntaxCheck& check, QWidget* parent = nullptr);
    ~StaffPane() override;

    StaffView& view() const { return *view_; }
    QScrollArea& scrollArea() const { return *scroll_; }
    /// The line above the staff: an error, or why there is no staff; hidden when empty.
    QLabel& messageLine() const { return *message_; }
    /// Whether the pane should be shown, as para.ini remembers it (hidden by default).
    static bool loadShown();
    static void saveShown(bool shown);

    /// Marks the sounding record (PlaybackController::sounding) and scrolls to it.
    void showSounding(int32_t record);
    /// Clears the sounding mark.
    void playingStopped();

Q_SIGNALS:
    /// A rendering was applied and its pages in view drawn (or an engraving failed) for the
    /// current parse.
    void rendered();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void request();
    void start();
    void finished();
    void checked(const QString& message);
    void followCaret();
    void selectNote(int32_t note);
    void reveal(int32_t note);
    double pageWidth() const;

    ScoreEditor& editor_;
    LiveSyntaxCheck& check_;
    StaffView* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QLabel* message_ = nullptr;
    QString errorMessage_;
    QTimer resizeTimer_;
    QFutureWatcher<StaffRenderingPtr> watcher_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    bool pending_ = false;
};

} // namespace notaro::app
