#include "app/document/DocumentController.h"

#include "app/document/DocumentFile.h"
#include "app/document/MidiImportRun.h"
#include "app/editor/ScoreEditor.h"
#include "app/shell/AppValues.h"
#include "app/shell/FileDialogRequest.h"
#include "app/shell/UserPrompts.h"
#include "base/TextUtil.h"
#include "score/ScoreFile.h"

#include <QFile>

#include <sys/stat.h>

namespace notaro::app {

namespace {

const QString kScoreExtension = QStringLiteral(".NTR");
/// Quiet time after the last change signal before the file is looked at.
constexpr int kSettleMs = 300;

} // namespace

DocumentController::DocumentController(ScoreEditor& editor, UserPrompts& prompts,
                                       QWidget* dialogParent, QObject* parent)
    : QObject(parent), editor_(editor), prompts_(prompts), dialogParent_(dialogParent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { settle_.start(); });
    connect(&settle_, &QTimer::timeout, this, &DocumentController::diskChangeNoticed);
}

DocumentController::FileStamp DocumentController::stampOf(const QString& path) {
    FileStamp stamp;
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modifiedNs = qint64{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec;
    return stamp;
}

void DocumentController::watchFile() {
    stamp_ = stampOf(fileName_);
    declinedStamp_ = FileStamp();
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (stamp_.exists)
        watcher_.addPath(fileName_);
}

void DocumentController::recoverDocument(const QString& fileName, const std::string& text) {
    editor_.setScoreText(text);
    editor_.selectChars(0, 0);
    editor_.setTextModified(true);
    setFileName(fileName);
    watchFile();
    emit documentReplaced(fileName_);
}

void DocumentController::reviewDiskChange() {
    if (reviewing_ || fileName_.isEmpty())
        return;
    // A writer that replaces the file by a rename ends the watch on the old one.
    if (!watcher_.files().contains(fileName_) && QFile::exists(fileName_))
        watcher_.addPath(fileName_);
    const FileStamp now = stampOf(fileName_);
    if (!now.exists || now == stamp_ || now == declinedStamp_)
        return;
    reviewing_ = true;
    const QString name = fileName_.mid(fileName_.lastIndexOf(QLatin1Char('/')) + 1);
    const QString question =
        editor_.isTextModified()
            ? tr("The file %1 has been changed on disk, and this window holds changes that are "
                 "not saved. Reload the file and lose those changes?")
                  .arg(name)
            : tr("The file %1 has been changed on disk. Reload it?").arg(name);
    const bool reload = prompts_.choose(dialogParent_, UserPrompts::Icon::Question, question, {},
                                        {tr("Yes"), tr("No")}) == 0;
    reviewing_ = false;
    if (reload)
        openFile(fileName_);
    else
        declinedStamp_ = now;
}

QString DocumentController::caption() const {
    if (fileName_.isEmpty())
        return appValues().appTitle + QStringLiteral(" -- New Document");
    const int slash = fileName_.lastIndexOf(QLatin1Char('/'));
    return appValues().appTitle + QStringLiteral(" -- ") + fileName_.mid(slash + 1);
}

void DocumentController::setFileName(const QString& path) {
    fileName_ = path;
    emit captionChanged(caption());
}

void DocumentController::newDocument() {
    if (!querySaveChanges())
        return;
    editor_.setScoreText({});
    editor_.setTextModified(false);
    setFileName({});
    watchFile();
    emit documentReplaced(fileName_);
}

void DocumentController::open() {
    if (!querySaveChanges())
        return;
    fileDialogRequest request;
    request.filter = buildFilterString({"All Files (*.*)", "*.*", "Notaro Files (*.NTR)", "*.NTR",
                                        "Text Documents (*.txt)", "*.txt"});
    request.initialFolder = appValues().samplesFolder;
    request.title = QStringLiteral("Open file:");
    request.flags = dialogFlags::kOpenScore;
    if (!showOpenDialog(request, prompts_, dialogParent_))
        return;
    const QString path = request.chosenPath.trimmed();
    if (!path.isEmpty())
        openFile(path);
}

void DocumentController::importMidi() {
    if (!querySaveChanges())
        return;
    fileDialogRequest request;
    request.filter = buildFilterString({"Midi Files (*.mid)", "*.mid", "All Files (*.*)", "*.*"});
    request.title = QStringLiteral("Import MIDI:");
    request.flags = dialogFlags::kOpenScore;
    if (!showOpenDialog(request, prompts_, dialogParent_))
        return;
    const QString path = request.chosenPath.trimmed();
    QString report;
    const std::optional<std::string> text =
        path.isEmpty() ? std::nullopt : runMidiImport(path, prompts_, dialogParent_, report);
    if (!text)
        return;
    if (QString::fromStdString(*text).size() > kEditorScoreLimit.characters) {
        prompts_.showMessage(dialogParent_,
                             QStringLiteral("The melody is too long for the editor."),
                             UserPrompts::Icon::Exclamation);
        return;
    }
    editor_.setScoreText(*text);
    editor_.selectChars(0, 0);
    editor_.setTextModified(true);
    setFileName({});
    emit documentReplaced(fileName_);
    emit imported(report);
}

void DocumentController::openDropped(const QString& path) {
    if (querySaveChanges())
        openFile(path);
}

void DocumentController::openFile(const QString& path) {
    const ScoreFileResult file = documentFile::readTextFile(path);
    if (file.status == ScoreFileStatus::TooLong) {
        prompts_.showMessage(dialogParent_, QStringLiteral("File is too long."),
                             UserPrompts::Icon::Exclamation);
        return;
    }
    if (file.status != ScoreFileStatus::Read) {
        prompts_.showMessage(dialogParent_, QStringLiteral("Cannot open the file."),
                             UserPrompts::Icon::Exclamation);
        return;
    }
    editor_.setScoreText(std::string(text::trimBlanks(file.text)));
    editor_.selectChars(0, 0);
    editor_.repaint();
    editor_.setTextModified(false);
    setFileName(path);
    watchFile();
    emit documentReplaced(fileName_);
}

void DocumentController::save() {
    QString path = fileName_;
    if (path.isEmpty())
        path = askSaveFileName();
    if (!path.isEmpty())
        writeDocument(path);
}

void DocumentController::saveAs() {
    const QString path = askSaveFileName();
    if (!path.isEmpty())
        writeDocument(path);
}

bool DocumentController::writeDocument(const QString& path) {
    // Another program (or another copy of this one) may have written the file since.
    if (path == fileName_ && stamp_.exists && stampOf(path) != stamp_ &&
        prompts_.choose(dialogParent_, UserPrompts::Icon::Question,
                        QStringLiteral("The file has been changed on disk since it was opened. "
                                       "Overwrite it?"),
                        {}, {QStringLiteral("Yes"), QStringLiteral("No")}) != 0)
        return false;
    if (documentFile::writeTextFile(path, editor_.scoreText()) != documentFile::kOk) {
        prompts_.showMessage(dialogParent_, QStringLiteral("Failed to save file"),
                             UserPrompts::Icon::Exclamation);
        return false;
    }
    editor_.setTextModified(false);
    setFileName(path);
    watchFile();
    emit documentSaved(fileName_);
    return true;
}

bool DocumentController::querySaveChanges() {
    if (!editor_.isTextModified())
        return true;
    switch (
        prompts_.askYesNoCancel(dialogParent_, QStringLiteral("Do you want to save changes?"))) {
    case UserPrompts::Answer::No:
        return true;
    case UserPrompts::Answer::Cancel:
        return false;
    case UserPrompts::Answer::Yes:
        break;
    }
    QString path = fileName_;
    if (path.isEmpty())
        path = askSaveFileName();
    return !path.isEmpty() && writeDocument(path);
}

QString DocumentController::askSaveFileName() {
    fileDialogRequest request;
    request.filter = buildFilterString(
        {"All Files", "*.*", "Notaro Files (*.NTR)", "*.NTR", "Text Documents", "*.txt"});
    QString folder, name;
    if (!fileName_.isEmpty() && documentFile::splitPath(fileName_, folder, name) == 0) {
        request.initialFolder = folder;
        request.fileName = name;
    }
    request.title = QStringLiteral("Save as:");
    request.flags = dialogFlags::kSaveFile;
    if (!showSaveDialog(request, prompts_, dialogParent_))
        return {};
    const QString path = request.chosenPath.trimmed();
    return path.isEmpty() ? path : documentFile::withDefaultExtension(path, kScoreExtension);
}

} // namespace notaro::app
