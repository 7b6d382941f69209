#pragma once

#include "midi/ScoreToMidi.h"

#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace notaro::app {

class SyntaxCheck;
class UserPrompts;

/// The file exports of the score: Save As MIDI, Export as WAV, Save As ABC, Export Staff as PDF
/// and Export as MusicXML. Each parses the editor text
/// through the syntax check, asks for the target in a "Save as:" dialog (the extension is added
/// when the chosen name has none) and writes the score as Play sounds it.
class ExportController {
public:
    /// @param dialogParent the window the dialogs and messages belong to
    ExportController(const SyntaxCheck& syntax, UserPrompts& prompts, QWidget* dialogParent);

    /// Save As MIDI: a Standard MIDI File, as `notaro-cli midi` writes it.
    /// @param options the forced instrument (-1 follows the score) and the on-time ratios
    void saveMidi(const ScoreMidiOptions& options);
    /// Export as WAV: the score rendered with the SoundFont, as `notaro-cli render` does.
    void exportWav(const ScoreMidiOptions& options);
    /// Save As ABC: the score as ABC text, as `notaro-cli abc` writes it.
    void saveAbc();
    /// Export Staff as PDF: the engraved pages on A4, as `notaro-cli staff` writes them.
    void exportStaffPdf();
    /// Export as MusicXML: the score as `notaro-cli musicxml` writes it.
    void exportMusicXml();

private:
    /// The "Save as:" dialog with filters; ext is added when the name holds no "."; "" when
    /// cancelled.
    QString askFileName(const std::vector<std::string>& filters, const QString& ext);

    const SyntaxCheck& syntax_;
    UserPrompts& prompts_;
    QWidget* dialogParent_;
};

} // namespace notaro::app
