// The main window's syntax check, MIDI export and playing.
#include "app/fMain.h"

#include "app/document/DocumentFile.h"
#include "app/editor/ScoreEditor.h"
#include "app/playback/MidiOutputChoice.h"
#include "app/playback/QtEventPump.h"
#include "app/playback/WavExport.h"
#include "app/shell/FileDialogRequest.h"
#include "app/shell/UserPrompts.h"
#include "midi/ScoreToMidi.h"
#include "playback/MidiOutDevice.h"
#include "playback/TickClock.h"
#include "playback/cGnsPlay.h"
#include "score/cTParse.h"

#include <glimmer/chBut.h>

#include <QCoreApplication>
#include <QFile>
#include <QStatusBar>
#include <QTimer>

namespace notaro::app {

namespace {

/// What Save As MIDI and the WAV export convert with: the score as Play sounds it.
ScoreMidiOptions exportOptions(int32_t instrument, const OnTimeRatios& ratios) {
    ScoreMidiOptions options;
    options.instrument = instrument;
    options.ratios = ratios;
    return options;
}

} // namespace

bool fMain::checkTextSyntax(cTParse& parser) {
    const ParseError error = parser.parseAramText(txtAram_->scoreText());
    if (error.ok())
        return true;
    QString message;
    if (error.line <= 0) {
        message = QStringLiteral("Failed to check syntax.");
    } else {
        message = QStringLiteral("Error: ") + QString::fromStdString(error.message);
        if (error.marksToken())
            txtAram_->selectInLine(error.line - 1, error.column, error.length);
        else
            txtAram_->selectLine(error.line - 1);
        // The selection must show before the message box opens.
        txtAram_->repaint();
        QCoreApplication::processEvents();
    }
    prompts_.showMessage(this, message, UserPrompts::Icon::Exclamation);
    return false;
}

void fMain::checkSyntaxCommand() {
    stopIfPlaying();
    cTParse parser;
    if (checkTextSyntax(parser))
        prompts_.showMessage(this, QStringLiteral("The syntax is correct"),
                             UserPrompts::Icon::Information);
}

QString fMain::askExportFileName(const std::vector<std::string>& filters, const QString& ext) {
    fileDialogRequest request;
    request.filter = buildFilterString(filters);
    request.title = QStringLiteral("Save as:");
    request.flags = dialogFlags::kSaveFile;
    if (!showSaveDialog(request, prompts_, this))
        return {};
    const QString path = request.chosenPath.trimmed();
    return path.isEmpty() ? path : documentFile::withDefaultExtension(path, ext);
}

void fMain::saveMidiCommand() {
    cTParse parser;
    if (!checkTextSyntax(parser))
        return;
    const QString path = askExportFileName({"Midi Files", "*.mid", "All Files (*.*)", "*.*"},
                                           QStringLiteral(".mid"));
    if (path.isEmpty())
        return;
    const std::string file = QFile::encodeName(path).toStdString();
    if (scoreToMidiFile(file, parser, exportOptions(chosenPatch(), onTimeRatios_)) != 0)
        prompts_.showMessage(this, QStringLiteral("Failed to save as Midi."),
                             UserPrompts::Icon::Exclamation);
}

void fMain::exportWavCommand() {
    cTParse parser;
    if (!checkTextSyntax(parser))
        return;
    const QString path = askExportFileName({"WAV Files", "*.wav"}, QStringLiteral(".wav"));
    if (!path.isEmpty() && exportWav(this, parser, exportOptions(chosenPatch(), onTimeRatios_),
                                     path) == wavExportRc::kFailed)
        prompts_.showMessage(this, QStringLiteral("Failed to export as WAV."),
                             UserPrompts::Icon::Exclamation);
}

void fMain::playClicked() {
    if (!cmdPlay_->Value()) {
        // Released while playing.
        stopPlay();
        return;
    }
    // Played from a zero timer rather than from inside the button's click, so the button has
    // finished its own handling before the long play call starts. Not from a posted call:
    // while a posted call runs, the event loop delivers no other posted event, and the
    // editor's repaints are posted events.
    playTimer_.start();
}

void fMain::startPlay() {
    if (cmdPlay_->Value() && !isPlaying_) {
        checkAndPlay();
        cmdPlay_->setValue(false);
    }
    if (closeAfterPlay_) {
        closeAfterPlay_ = false;
        close();
        return;
    }
    runPendingCommands();
}

void fMain::checkAndPlay() {
    cTParse parser;
    if (!checkTextSyntax(parser)) {
        cmdPlay_->setValue(false);
        return;
    }
    enableEditControls(false);
    playFromCaret(parser);
    enableEditControls(true);
    parser.clear();
    txtAram_->setFocus();
}

void fMain::playFromCaret(cTParse& parser) {
    if (followsOutputChoice_) {
        // The MIDI Output choice may have changed since the last Play.
        QString notice;
        device_ = makeChosenMidiOut(engine_, notice);
        if (!notice.isEmpty())
            statusBar()->showMessage(notice, 10000);
    }
    gnsPObj_ = std::make_unique<playback::cGnsPlay>(*device_, QtEventPump());
    gnsPObj_->setListener(this);
    const int32_t line = txtAram_->caretLineIndex() + 1;
    const int32_t column = txtAram_->caretColumn() + 1;
    const int32_t first = parser.iNoteOfILineIPos(line, column);
    if (first < 0)
        return;
    openFailure_.clear();
    highlights_.clear();
    isPlaying_ = true;
    playback::PlayOptions options;
    options.patch = chosenPatch();
    options.ratios = onTimeRatios_;
    gnsPObj_->play(parser, first, parser.nNotes() - 1, options);
    isPlaying_ = false;
    showLineNumber();
    if (!openFailure_.isEmpty())
        prompts_.showMessage(this, openFailure_, UserPrompts::Icon::Exclamation);
}

void fMain::stopPlay() {
    if (gnsPObj_)
        gnsPObj_->stopPlaying();
}

void fMain::stopIfPlaying() {
    if (isPlaying_)
        stopPlay();
    cmdPlay_->setValue(false);
}

void fMain::showPlaying(int32_t lineNum, int32_t charPos, int32_t theLen) {
    txtAram_->selectInLine(lineNum - 1, charPos, theLen);
    highlights_.push_back({playback::getTickCount(), txtAram_->selStart(), txtAram_->selLength()});
}

void fMain::playingNoteLine(int32_t, uint8_t, uint8_t, uint8_t, int32_t, int32_t, float, int32_t,
                            int32_t lineNum, int32_t charPos, int32_t theLen) {
    showPlaying(lineNum, charPos, theLen);
    QCoreApplication::processEvents();
}

void fMain::playingRestLine(int32_t, int32_t, int32_t, int32_t, int32_t lineNum, int32_t charPos,
                            int32_t theLen) {
    showPlaying(lineNum, charPos, theLen);
    QCoreApplication::processEvents();
}

void fMain::donePlayingLine(int32_t, int32_t, int32_t, int32_t) {
    QCoreApplication::processEvents();
}

void fMain::abortedPlaying(int32_t, int32_t lineNum, int32_t charPos, int32_t theLen) {
    txtAram_->selectInLine(lineNum - 1, charPos, theLen);
    txtAram_->repaint();
    QCoreApplication::processEvents();
}

void fMain::midiOutOpenFailed(const std::string& message, int32_t) {
    openFailure_ = QString::fromStdString(message);
}

} // namespace notaro::app
