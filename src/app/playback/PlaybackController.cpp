#include "app/playback/PlaybackController.h"

#include "app/editor/ScoreEditor.h"
#include "app/editor/SyntaxCheck.h"
#include "app/playback/MidiOutputChoice.h"
#include "app/playback/QtEventPump.h"
#include "app/playback/ScoreTempo.h"
#include "app/shell/UserPrompts.h"
#include "playback/FluidSynthEngine.h"
#include "playback/FluidSynthMidiOut.h"
#include "playback/MidiPanic.h"
#include "playback/TickClock.h"
#include "playback/cGnsPlay.h"
#include "score/cTParse.h"

#include <QCoreApplication>

#include <algorithm>
#include <utility>

namespace notaro::app {

namespace {

// The settings keep their own ranges, since they lie below the player; both must agree.
static_assert(PracticeSettings::kMinTempoPercent == playback::kMinTempoPercent);
static_assert(PracticeSettings::kMaxTempoPercent == playback::kMaxTempoPercent);
static_assert(PracticeSettings::kMaxCountInBars == playback::PracticeOptions::kMaxCountInBars);
static_assert(PracticeSettings::kMaxBeatsPerBar == playback::PracticeOptions::kMaxBeatsPerBar);

playback::PracticeOptions practiceOptions(const PracticeSettings& s) {
    playback::PracticeOptions o;
    o.passes = s.loop ? playback::PracticeOptions::kUntilStopped : 1;
    o.countInBars = s.countInBars;
    o.click = s.click;
    o.beatsPerBar = s.beatsPerBar;
    o.tempoPercent = s.tempoPercent;
    // A ramp climbs from pass to pass, so it belongs to a loop.
    o.ramp.on = s.loop && s.ramp;
    o.ramp.startPercent = s.rampStartPercent;
    o.ramp.stepPercent = s.rampStepPercent;
    o.ramp.ceilingPercent = s.rampCeilingPercent;
    return o;
}

} // namespace

PlaybackController::PlaybackController(ScoreEditor& editor, const SyntaxCheck& syntax,
                                       UserPrompts& prompts, QWidget* dialogParent,
                                       std::unique_ptr<playback::MidiOutDevice> device,
                                       QObject* parent)
    : QObject(parent), editor_(editor), syntax_(syntax), prompts_(prompts),
      dialogParent_(dialogParent), engine_(std::make_shared<playback::FluidSynthEngine>()),
      device_(std::move(device)) {
    if (!device_) {
        followsOutputChoice_ = true;
        QString notice;
        device_ = makeChosenMidiOut(engine_, notice);
    }
    // The synthesizer and its SoundFont load in the background while the user reads the
    // score, so the first Play starts as quickly as every later one.
    if (auto* synth = dynamic_cast<playback::FluidSynthMidiOut*>(device_.get()))
        synth->prepare();
    playTimer_.setSingleShot(true);
    playTimer_.setInterval(0);
    connect(&playTimer_, &QTimer::timeout, this, &PlaybackController::startPlay);
}

PlaybackController::~PlaybackController() {
    if (player_)
        player_->stopPlaying();
}

ScoreMidiOptions PlaybackController::scoreOptions() const {
    ScoreMidiOptions options;
    options.instrument = instrument_;
    options.ratios = ratios_;
    return options;
}

void PlaybackController::setPractice(const PracticeSettings& practice) {
    practice_ = practice;
}

void PlaybackController::setTempoPercent(int32_t percent) {
    practice_.tempoPercent = percent;
    if (playing_)
        player_->setTempoPercent(percent);
}

void PlaybackController::panic() {
    // At once, on this thread: while a score plays, this runs inside the player's pump.
    (void)playback::sendPanic(*device_);
    stop();
}

void PlaybackController::setActive(bool active) {
    if (active_ == active)
        return;
    active_ = active;
    emit activeChanged(active);
}

void PlaybackController::play() {
    setActive(true);
    // Played from a zero timer rather than from inside the caller's click, so the button has
    // finished its own handling before the long play call starts. Not from a posted call:
    // while a posted call runs, the event loop delivers no other posted event, and the
    // editor's repaints are posted events.
    playTimer_.start();
}

void PlaybackController::stop() {
    setActive(false);
    if (playing_)
        player_->stopPlaying();
}

void PlaybackController::stopForClose() {
    closeAfterPlay_ = true;
    stop();
}

void PlaybackController::runCommand(std::function<void()> command) {
    if (!playing_) {
        command();
        return;
    }
    stop();
    pendingCommands_.push_back(std::move(command));
}

void PlaybackController::runPendingCommands() {
    while (!pendingCommands_.empty() && !playing_) {
        auto command = std::move(pendingCommands_.front());
        pendingCommands_.pop_front();
        command();
    }
}

void PlaybackController::startPlay() {
    // A stop between play() and this timer drops the play; a play() while the play call runs
    // (the timer fires inside it) does nothing.
    if (active_ && !playing_) {
        cTParse parser;
        if (syntax_.parse(parser)) {
            playFromCaret(parser);
            editor_.setFocus();
        }
        setActive(false);
    }
    if (closeAfterPlay_) {
        closeAfterPlay_ = false;
        emit readyToClose();
        return;
    }
    runPendingCommands();
}

void PlaybackController::playFromCaret(const cTParse& parser) {
    if (followsOutputChoice_) {
        // The MIDI Output choice may have changed since the last Play.
        QString notice;
        device_ = makeChosenMidiOut(engine_, notice);
        outputNotice_ = notice;
        if (!notice.isEmpty())
            emit outputNotice(notice);
    }
    player_ = std::make_unique<playback::cGnsPlay>(*device_, QtEventPump());
    player_->setListener(this);
    int32_t first = 0, last = 0;
    if (!playRange(parser, first, last)) {
        if (practice_.loop)
            prompts_.beep(); // a selection without a note or rest: nothing to loop
        return;
    }
    openFailure_.clear();
    highlights_.clear();
    ++playCount_;
    playing_ = true;
    startQnpm_ = scoreTempoAt(parser, first);
    // A loop hands the selection back as it was, ready for the next Play.
    const bool loop = practice_.loop;
    const int32_t selStart = editor_.selStart(), selLength = editor_.selLength();
    emit playingStarted();
    playback::PlayOptions options;
    options.patch = instrument_;
    options.ratios = ratios_;
    options.practice = practiceOptions(practice_);
    player_->play(parser, first, last, options);
    playing_ = false;
    if (loop)
        editor_.selectChars(selStart, selLength);
    if (!openFailure_.isEmpty()) {
        // The number stays as users know it; the words beside it say what went wrong.
        QString reason = QString::fromStdString(device_->failureReason());
        if (!outputNotice_.isEmpty() && !reason.isEmpty())
            reason = outputNotice_ + QLatin1Char(' ') + reason;
        if (reason.isEmpty()) {
            prompts_.showMessage(dialogParent_, openFailure_, UserPrompts::Icon::Exclamation);
        } else {
            emit outputNotice(reason);
            prompts_.choose(dialogParent_, UserPrompts::Icon::Exclamation, openFailure_, reason,
                            {tr("OK")});
        }
    }
    emit playingStopped();
}

bool PlaybackController::playRange(const cTParse& parser, int32_t& first, int32_t& last) const {
    last = parser.nNotes() - 1;
    if (!practice_.loop) {
        first = parser.iNoteOfILineIPos(editor_.caretLineIndex() + 1, editor_.caretColumn() + 1);
        return first >= 0;
    }
    first = 0;
    if (editor_.selLength() == 0)
        return last >= 0;
    // From the record under or after the selection's first character to the last record that
    // begins before its end.
    const auto place = [this](int32_t index) {
        const int32_t line = editor_.lineOfChar(index);
        return std::pair(line + 1, index - editor_.lineStartChar(line));
    };
    const auto [startLine, startColumn] = place(editor_.selStart());
    const auto [endLine, endColumn] = place(editor_.selStart() + editor_.selLength());
    first = parser.iNoteOfILineIPos(startLine, startColumn + 1);
    last = cTParse::kNoRecord;
    for (int32_t i = std::max(first, 0); i < parser.nNotes(); ++i) {
        const cGnsNote& r = parser.theNotes(i);
        if (r.lineNum > endLine)
            break;
        if (r.lineNum < endLine || r.noteCharNum < endColumn)
            last = i;
    }
    return first >= 0 && last >= first;
}

void PlaybackController::showSounding(int32_t record, int32_t line, int32_t column,
                                      int32_t length) {
    // A note is heard the output latency after it is sent: the picture waits as long.
    const int delay = qRound(soundDelayMs());
    if (delay <= 0) {
        selectSounding(record, line, column, length);
        return;
    }
    QTimer::singleShot(delay, Qt::PreciseTimer, this,
                       [this, play = playCount_, record, line, column, length] {
                           if (play == playCount_)
                               selectSounding(record, line, column, length);
                       });
}

void PlaybackController::selectSounding(int32_t record, int32_t line, int32_t column,
                                        int32_t length) {
    editor_.selectInLine(line - 1, column, length);
    highlights_.push_back({playback::getTickCount(), editor_.selStart(), editor_.selLength()});
    emit sounding(record, line, column, length);
}

double PlaybackController::soundDelayMs() const {
    if (!dynamic_cast<const playback::FluidSynthMidiOut*>(device_.get()))
        return 0.0; // a MIDI port: the delay is the receiver's, unknown here
    return engine_->audioRunning() ? engine_->outputLatencyMs() : 0.0;
}

void PlaybackController::playingNoteLine(int32_t iNote, uint8_t, uint8_t, uint8_t, int32_t, int32_t,
                                         float, int32_t, int32_t lineNum, int32_t charPos,
                                         int32_t theLen) {
    showSounding(iNote, lineNum, charPos, theLen);
    QCoreApplication::processEvents();
}

void PlaybackController::playingRestLine(int32_t iNote, int32_t, int32_t, int32_t, int32_t lineNum,
                                         int32_t charPos, int32_t theLen) {
    showSounding(iNote, lineNum, charPos, theLen);
    QCoreApplication::processEvents();
}

void PlaybackController::donePlayingLine(int32_t, int32_t, int32_t, int32_t) {
    QCoreApplication::processEvents();
}

void PlaybackController::abortedPlaying(int32_t, int32_t lineNum, int32_t charPos, int32_t theLen) {
    ++playCount_; // the sound stops now; highlights still waiting would come too late
    editor_.selectInLine(lineNum - 1, charPos, theLen);
    editor_.repaint();
    QCoreApplication::processEvents();
}

void PlaybackController::startingPass(int32_t pass, int32_t tempoPercent) {
    emit passStarted(pass, tempoPercent, startQnpm_);
}

void PlaybackController::midiOutOpenFailed(const std::string& message, playback::PlaybackResult) {
    openFailure_ = QString::fromStdString(message);
}

} // namespace notaro::app
