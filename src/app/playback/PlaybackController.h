#pragma once

#include "midi/OnTimeRatios.h"
#include "midi/ScoreToMidi.h"
#include "playback/MidiOutDevice.h"
#include "playback/PlayerListener.h"
#include "settings/PracticeSettings.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace notaro {
class cTParse;
namespace playback {
class FluidSynthEngine;
class cGnsPlay;
} // namespace playback
} // namespace notaro

namespace notaro::app {

class ScoreEditor;
class SyntaxCheck;
class UserPrompts;

/// Plays the editor's score from the caret and follows the sound in the editor: the note that
/// sounds is selected as it starts.
///
/// Playing is synchronous: play() starts the play call from a zero timer, and the player runs
/// the event loop through its pump while it waits for each note, so the window stays
/// responsive; whatever the user does meanwhile that must not run under a playing score
/// (another command, closing) stops it first and runs once the play call has returned.
///
/// It owns the synthesizer engine, the output device (the MIDI Output chosen in para.ini,
/// looked up again at each Play, unless one was given), the player, and the options every
/// rendering of the score shares: the forced instrument and the on-time ratios. The practice
/// tools shape each play: with looping on, Play repeats the selected notes (the whole score
/// when nothing is selected) until stopped, and leaves the selection as it was.
class PlaybackController : public QObject, private playback::PlayerListener {
    Q_OBJECT
public:
    /// @param syntax parses the editor text before each play
    /// @param dialogParent the window the message boxes belong to
    /// @param device the output of every play; null follows the MIDI Output choice (the
    ///        built-in synthesizer by default, sounding through this object's engine)
    PlaybackController(ScoreEditor& editor, const SyntaxCheck& syntax, UserPrompts& prompts,
                       QWidget* dialogParent, std::unique_ptr<playback::MidiOutDevice> device = {},
                       QObject* parent = nullptr);
    ~PlaybackController() override;

    /// True while the play call runs.
    bool isPlaying() const { return playing_; }
    /// True from play() until the play call has returned or stop(): what the latching Play
    /// button shows.
    bool isActive() const { return active_; }

    /// The program forced on every note (0 to 127), or -1 to follow the score.
    int32_t instrument() const { return instrument_; }
    void setInstrument(int32_t instrument) { instrument_ = instrument; }
    /// What Play, Save As MIDI and the WAV export shorten notes by (para.ini's tables).
    const OnTimeRatios& onTimeRatios() const { return ratios_; }
    void setOnTimeRatios(const OnTimeRatios& ratios) { ratios_ = ratios; }
    /// The instrument and the ratios as a conversion takes them: the score as Play sounds it.
    ScoreMidiOptions scoreOptions() const;
    /// Looping, tempo, count-in, click and ramp of every play, from the next Play on.
    const PracticeSettings& practice() const { return practice_; }
    void setPractice(const PracticeSettings& practice);
    /// The tempo of the practice settings; a playing score takes it from its next note (and a
    /// ramp climbs on from it).
    void setTempoPercent(int32_t percent);
    /// Silences the output at once (all sounds, notes and controllers off on every channel),
    /// playing or not, and stops a play.
    void panic();

    /// The editor selection and tick time at each note or rest announced during the last play,
    /// for measuring how closely the display follows the sound.
    struct Highlight {
        int32_t tick;
        int32_t selStart;
        int32_t selLength;
    };
    const std::vector<Highlight>& highlights() const { return highlights_; }

    /// Play: from a zero timer, parses the editor text (a syntax error is shown and nothing
    /// plays) and plays from the record under or after the caret to the end.
    void play();
    /// Ends the play call after the current note, and drops a play() not yet started.
    void stop();
    /// Runs command now or, while a play call runs, stops it and runs the command once the
    /// play call has returned (in the order given).
    void runCommand(std::function<void()> command);
    /// Closing while playing: stops, and emits readyToClose once the play call has returned,
    /// instead of running the commands that wait.
    void stopForClose();

Q_SIGNALS:
    /// isActive() changed.
    void activeChanged(bool active);
    /// The first note is about to sound.
    void playingStarted();
    /// The play call has ended and any failure to open the output has been reported.
    void playingStopped();
    /// A note or rest is heard (sent, plus the built-in synthesizer's output latency), at the
    /// moment the editor selects it: record is its index in
    /// the parse, line its 1-based text line, column and length its characters in that line.
    void sounding(int32_t record, int32_t line, int32_t column, int32_t length);
    /// One line for the status line (the chosen output is missing, the synthesizer plays).
    void outputNotice(const QString& message);
    /// stopForClose's play call has returned: the window may try to close again.
    void readyToClose();
    /// A pass through the stretch begins (1, 2, ...; 0 is the count-in) at tempoPercent of
    /// the score's tempo, which is qnpm quarter notes per minute at the first note.
    void passStarted(int32_t pass, int32_t tempoPercent, int32_t qnpm);

private:
    void setActive(bool active);
    void startPlay();
    void playFromCaret(const cTParse& parser);
    /// The records Play sounds: the caret's to the end, or with looping on those of the
    /// selection (all of them when nothing is selected). @return false when there are none
    bool playRange(const cTParse& parser, int32_t& first, int32_t& last) const;
    void runPendingCommands();
    void showSounding(int32_t record, int32_t line, int32_t column, int32_t length);
    void selectSounding(int32_t record, int32_t line, int32_t column, int32_t length);
    /// How long after a note is sent it is heard: the built-in synthesizer's output latency.
    double soundDelayMs() const;

    // Player events.
    void playingNoteLine(int32_t iNote, uint8_t pitchClass, uint8_t octave, uint8_t accidental,
                         int32_t durN, int32_t durD, float tmNoteVal, int32_t durMS,
                         int32_t lineNum, int32_t charPos, int32_t theLen) override;
    void playingRestLine(int32_t iNote, int32_t durN, int32_t durD, int32_t durMS, int32_t lineNum,
                         int32_t charPos, int32_t theLen) override;
    void donePlayingLine(int32_t iNote, int32_t lineNum, int32_t charPos, int32_t theLen) override;
    void abortedPlaying(int32_t iNote, int32_t lineNum, int32_t charPos, int32_t theLen) override;
    void startingPass(int32_t pass, int32_t tempoPercent) override;
    void midiOutOpenFailed(const std::string& message, playback::PlaybackResult rc) override;

    ScoreEditor& editor_;
    const SyntaxCheck& syntax_;
    UserPrompts& prompts_;
    QWidget* dialogParent_;
    /// The built-in synthesizer of every device made here; each device holds it too.
    std::shared_ptr<playback::FluidSynthEngine> engine_;
    std::unique_ptr<playback::MidiOutDevice> device_;
    std::unique_ptr<playback::cGnsPlay> player_;
    /// The output follows the MIDI Output choice (false when the owner gave a device).
    bool followsOutputChoice_ = false;
    int32_t instrument_ = -1;
    OnTimeRatios ratios_;
    PracticeSettings practice_;
    /// The score's tempo at the first note of the play call running.
    int32_t startQnpm_ = 0;

    QTimer playTimer_;
    bool active_ = false;
    bool playing_ = false;
    bool closeAfterPlay_ = false;
    QString openFailure_;
    QString outputNotice_; ///< why the chosen output was not used for this play, if so
    std::deque<std::function<void()>> pendingCommands_;
    std::vector<Highlight> highlights_;
    /// Counts plays and stops, so a delayed highlight of an earlier one is dropped.
    int playCount_ = 0;
};

} // namespace notaro::app
