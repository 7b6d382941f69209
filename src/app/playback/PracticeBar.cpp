#include "app/playback/PracticeBar.h"

#include "app/dialogs/fPractice.h"
#include "app/editor/LiveSyntaxCheck.h"
#include "app/editor/ScoreEditor.h"
#include "app/playback/PlaybackController.h"
#include "app/playback/ScoreTempo.h"
#include "app/playback/TempoScale.h"
#include "app/shell/ShellServices.h"
#include "app/shell/ToolPicture.h"
#include "score/cTParse.h"

#include <glimmer/chBut.h>

#include <QAction>
#include <QLabel>
#include <QMenu>

#include <algorithm>
#include <cmath>

namespace notaro::app {

namespace {

int px(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

/// Right of the Force Instrument box, in twips, as the tool row's other controls are placed.
constexpr int kLoopLeft = 7755;
constexpr int kRowTop = 75;
constexpr int kButtonSize = 345;
constexpr int kScaleLeft = 8175;
/// The scale stands in the whole height between the line under the menu and the editor.
constexpr int kScaleTop = 30;
constexpr int kScaleWidth = 1335;
constexpr int kGap = 60;

} // namespace

PracticeBar::PracticeBar(QWidget& row, PlaybackController& playback, const ScoreEditor& editor,
                         const LiveSyntaxCheck& live, QObject* parent)
    : QObject(parent), playback_(playback), editor_(editor), live_(live) {
    cmdLoop_ = new glimmer::chBut(&row);
    cmdLoop_->setObjectName(QStringLiteral("cmdLoop"));
    cmdLoop_->setButtonType(glimmer::chBut::FlatHighlight);
    cmdLoop_->setToolTip(QStringLiteral("Loop"));
    cmdLoop_->setFocusPolicy(Qt::TabFocus);
    const QPixmap picture =
        toolPicture(QStringLiteral("loop"), 16, cmdLoop_->palette().color(QPalette::Button));
    cmdLoop_->setPictureNormal(picture);
    cmdLoop_->setPictureOver(picture);
    cmdLoop_->setCheckBoxBehaviour(true);
    cmdLoop_->setValue(false);
    cmdLoop_->setGeometry(px(kLoopLeft), px(kRowTop), px(kButtonSize), px(kButtonSize));

    tempo_ = new TempoScale(&row);
    tempo_->setObjectName(QStringLiteral("sclTempo"));
    tempo_->setToolTip(QStringLiteral("Tempo"));
    QFont small = row.font();
    small.setPixelSize(9);
    tempo_->setFont(small);
    const int scaleTop = px(kScaleTop);
    tempo_->setGeometry(px(kScaleLeft), scaleTop, px(kScaleWidth), tempo_->sizeHint().height());

    lblTempo_ = new QLabel(&row);
    lblTempo_->setObjectName(QStringLiteral("lblTempo"));
    lblTempo_->move(tempo_->geometry().right() + 1 + px(kGap), px(kRowTop));
    lblPass_ = new QLabel;
    lblPass_->setObjectName(QStringLiteral("lblPass"));
    lblPass_->hide();

    connect(cmdLoop_, &glimmer::chBut::Click, this, [this] {
        PracticeSettings s = playback_.practice();
        s.loop = cmdLoop_->Value();
        apply(s);
    });
    connect(tempo_, &TempoScale::percentChosen, this, &PracticeBar::chooseTempo);
    connect(tempo_, &TempoScale::choiceFinished, this, &PracticeBar::save);
    connect(&editor_, &ScoreEditor::cursorPositionChanged, this, &PracticeBar::showCaretTempo);
    connect(&live_, &LiveSyntaxCheck::snapshotChanged, this, &PracticeBar::showCaretTempo);
    connect(&playback_, &PlaybackController::passStarted, this, &PracticeBar::passStarted);
    connect(&playback_, &PlaybackController::playingStopped, this, &PracticeBar::playingStopped);
    showCaretTempo();
}

std::vector<std::string> PracticeBar::load() {
    PracticeSettings s;
    std::vector<std::string> problems = loadPracticeSettings(s);
    show(s); // what was just read needs no writing
    return problems;
}

void PracticeBar::addMenuItems(QMenu& menu) {
    loopAction_ = new QAction(QStringLiteral("&Loop"), &menu);
    loopAction_->setObjectName(QStringLiteral("mnu_Practice_Loop"));
    loopAction_->setCheckable(true);
    loopAction_->setChecked(playback_.practice().loop);
    menu.insertAction(menu.actions().value(0), loopAction_);
    connect(loopAction_, &QAction::triggered, this, [this](bool on) {
        PracticeSettings s = playback_.practice();
        s.loop = on;
        apply(s);
    });
    menu.addSeparator();
    // A shortcut of the window's, so it works while a score plays: opening the menu would stop
    // the play first. Ctrl+. is the stop key of many music programs; Escape is left to close
    // dialogs and menus, where a panic would surprise.
    QAction* panic = menu.addAction(QStringLiteral("Pa&nic"));
    panic->setObjectName(QStringLiteral("mnu_Practice_Panic"));
    panic->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Period));
    connect(panic, &QAction::triggered, &playback_, &PlaybackController::panic);
}

void PracticeBar::settingsCommand(QWidget* parent) {
    fPractice dialog(playback_.practice(), parent);
    if (dialog.exec() == QDialog::Accepted)
        apply(dialog.settings());
}

void PracticeBar::apply(const PracticeSettings& settings) {
    show(settings);
    save();
}

void PracticeBar::show(const PracticeSettings& settings) {
    playback_.setPractice(settings);
    cmdLoop_->setValue(settings.loop);
    if (loopAction_)
        loopAction_->setChecked(settings.loop);
    if (!playback_.isPlaying())
        tempo_->setPercent(settings.tempoPercent);
    showCaretTempo();
}

void PracticeBar::chooseTempo(int percent) {
    playback_.setTempoPercent(percent);
    if (playback_.isPlaying())
        showTempo(percent, playQnpm_);
    else
        showCaretTempo();
}

void PracticeBar::showTempo(int percent, int qnpm) {
    const long effective = std::lround(qnpm * percent / 100.0);
    lblTempo_->setText(QStringLiteral("%1 % \u00B7 \u2669 = %2").arg(percent).arg(effective));
    lblTempo_->resize(lblTempo_->sizeHint().width(), px(kButtonSize));
}

void PracticeBar::showCaretTempo() {
    if (playback_.isPlaying())
        return; // the play shows its own, and moves the caret at every note
    int32_t qnpm = cTParse::kDefaultTempo;
    if (const ParseSnapshotPtr& snapshot = live_.snapshot()) {
        const cTParse& score = snapshot->score;
        qnpm = scoreTempoAt(
            score, score.iNoteOfILineIPos(editor_.caretLineIndex() + 1, editor_.caretColumn() + 1));
    }
    showTempo(playback_.practice().tempoPercent, qnpm);
}

void PracticeBar::passStarted(int32_t pass, int32_t percent, int32_t qnpm) {
    playQnpm_ = qnpm;
    tempo_->setPercent(percent);
    showTempo(percent, qnpm);
    const bool shown = pass == 0 || playback_.practice().loop;
    lblPass_->setText(pass == 0 ? QStringLiteral("Count-in at %1 %").arg(percent)
                                : QStringLiteral("Pass %1 at %2 %").arg(pass).arg(percent));
    lblPass_->setVisible(shown);
}

void PracticeBar::playingStopped() {
    lblPass_->hide();
    tempo_->setPercent(playback_.practice().tempoPercent);
    showCaretTempo();
    if (savePending_)
        save();
}

void PracticeBar::save() {
    if (playback_.isPlaying()) {
        savePending_ = true;
        return;
    }
    savePending_ = false;
    // A settings file that cannot be written is not reported: the settings still hold for
    // this run, and the next change tries again.
    (void)savePracticeSettings(playback_.practice());
}

} // namespace notaro::app
