#include "app/document/ExportController.h"

#include "app/document/DocumentFile.h"
#include "app/editor/SyntaxCheck.h"
#include "app/playback/WavExport.h"
#include "app/shell/FileDialogRequest.h"
#include "app/shell/UserPrompts.h"
#include "app/staff/StaffPdf.h"
#include "base/AtomicFile.h"
#include "interchange/AbcEngraver.h"
#include "interchange/InterchangeResult.h"
#include "interchange/MusicXmlWriter.h"
#include "score/cTParse.h"

#include <QFile>

namespace notaro::app {

ExportController::ExportController(const SyntaxCheck& syntax, UserPrompts& prompts,
                                   QWidget* dialogParent)
    : syntax_(syntax), prompts_(prompts), dialogParent_(dialogParent) {}

QString ExportController::askFileName(const std::vector<std::string>& filters, const QString& ext) {
    fileDialogRequest request;
    request.filter = buildFilterString(filters);
    request.title = QStringLiteral("Save as:");
    request.flags = dialogFlags::kSaveFile;
    if (!showSaveDialog(request, prompts_, dialogParent_))
        return {};
    const QString path = request.chosenPath.trimmed();
    return path.isEmpty() ? path : documentFile::withDefaultExtension(path, ext);
}

void ExportController::saveMidi(const ScoreMidiOptions& options) {
    cTParse parser;
    if (!syntax_.parse(parser))
        return;
    const QString path =
        askFileName({"Midi Files", "*.mid", "All Files (*.*)", "*.*"}, QStringLiteral(".mid"));
    if (path.isEmpty())
        return;
    if (scoreToMidiFile(QFile::encodeName(path).toStdString(), parser, options) != MidiResult::Ok)
        prompts_.showMessage(dialogParent_, QStringLiteral("Failed to save as Midi."),
                             UserPrompts::Icon::Exclamation);
}

void ExportController::exportWav(const ScoreMidiOptions& options) {
    cTParse parser;
    if (!syntax_.parse(parser))
        return;
    const QString path = askFileName({"WAV Files", "*.wav"}, QStringLiteral(".wav"));
    if (!path.isEmpty() &&
        app::exportWav(dialogParent_, parser, options, path) == WavExportResult::Failed)
        prompts_.showMessage(dialogParent_, QStringLiteral("Failed to export as WAV."),
                             UserPrompts::Icon::Exclamation);
}

void ExportController::saveAbc() {
    cTParse parser;
    std::string text;
    if (!syntax_.parse(parser, &text))
        return;
    const QString path =
        askFileName({"ABC Files", "*.abc", "All Files (*.*)", "*.*"}, QStringLiteral(".abc"));
    if (path.isEmpty())
        return;
    if (base::writeFileAtomically(QFile::encodeName(path).toStdString(),
                                  interchange::writeAbcTune(parser, text).text) != 0)
        prompts_.showMessage(dialogParent_, QStringLiteral("Failed to save as ABC."),
                             UserPrompts::Icon::Exclamation);
}

void ExportController::exportStaffPdf() {
    cTParse parser;
    std::string text;
    if (!syntax_.parse(parser, &text))
        return;
    const QString path = askFileName({"PDF Files", "*.pdf"}, QStringLiteral(".pdf"));
    if (path.isEmpty())
        return;
    const StaffPdfResult result = writeStaffPdf(interchange::writeAbcTune(parser, text),
                                                QFile::encodeName(path).toStdString());
    if (result == StaffPdfResult::Written)
        return;
    prompts_.showMessage(dialogParent_,
                         result == StaffPdfResult::EngraverMissing
                             ? QStringLiteral("The staff needs the program abcm2ps: install the "
                                              "Debian package abcm2ps.")
                             : QStringLiteral("Failed to export the staff as PDF."),
                         UserPrompts::Icon::Exclamation);
}

void ExportController::exportMusicXml() {
    cTParse parser;
    std::string text;
    if (!syntax_.parse(parser, &text))
        return;
    const QString path = askFileName({"MusicXML Files", "*.musicxml", "All Files (*.*)", "*.*"},
                                     QStringLiteral(".musicxml"));
    if (path.isEmpty())
        return;
    try {
        interchange::writeMusicXmlFile(QFile::encodeName(path).toStdString(), parser, text);
    } catch (const interchange::InterchangeError& e) {
        prompts_.showMessage(dialogParent_,
                             QStringLiteral("Failed to export as MusicXML: ") +
                                 QString::fromStdString(e.what()) + QLatin1Char('.'),
                             UserPrompts::Icon::Exclamation);
    }
}

} // namespace notaro::app
