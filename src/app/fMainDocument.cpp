// The main window's document commands: New, Open, Save, Save As, the save prompt, and the
// dialogs of the Tools and Help menus.
#include "app/fMain.h"

#include "app/dialogs/fAbout.h"
#include "app/dialogs/fExamples.h"
#include "app/dialogs/fOnTimes.h"
#include "app/document/DocumentFile.h"
#include "app/editor/ScoreEditor.h"
#include "app/shell/AppValues.h"
#include "app/shell/FileDialogRequest.h"
#include "app/shell/ShellServices.h"
#include "app/shell/UserPrompts.h"
#include "base/TextUtil.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace notaro::app {

namespace {

const QString kScoreExtension = QStringLiteral(".NTR");

} // namespace

void fMain::newCommand() {
    if (!querySaveChanges())
        return;
    txtAram_->setScoreText({});
    currentFileName_.clear();
    txtAram_->setTextModified(false);
    updateTitle();
    showLineNumber();
}

void fMain::openCommand() {
    if (!querySaveChanges())
        return;
    const QString path = askOpenFileName();
    if (!path.isEmpty())
        openScoreFile(path);
}

void fMain::openDropped(const QString& path) {
    runCommand([this, path] {
        if (querySaveChanges())
            openScoreFile(path);
    });
}

void fMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void fMain::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            openDropped(url.toLocalFile());
            return;
        }
    }
}

void fMain::openFromCommandLine(const QString& path) {
    openScoreFile(path);
}

void fMain::openScoreFile(const QString& path) {
    const ScoreFileResult file = documentFile::readTextFile(path);
    if (file.status == ScoreFileStatus::TooLong) {
        prompts_.showMessage(this, QStringLiteral("File is too long."),
                             UserPrompts::Icon::Exclamation);
        return;
    }
    if (file.status != ScoreFileStatus::Read) {
        prompts_.showMessage(this, QStringLiteral("Cannot open the file."),
                             UserPrompts::Icon::Exclamation);
        return;
    }
    txtAram_->setScoreText(std::string(text::trimBlanks(file.text)));
    txtAram_->selectChars(0, 0);
    txtAram_->repaint();
    currentFileName_ = path;
    txtAram_->setTextModified(false);
    updateTitle();
    showLineNumber();
}

void fMain::saveCommand() {
    QString path = currentFileName_;
    if (path.isEmpty())
        path = askSaveFileName();
    if (path.isEmpty())
        return;
    if (writeDocument(path))
        updateTitle();
}

void fMain::saveAsCommand() {
    const QString path = askSaveFileName();
    if (!path.isEmpty() && writeDocument(path))
        updateTitle();
}

bool fMain::writeDocument(const QString& path) {
    if (documentFile::writeTextFile(path, txtAram_->scoreText()) != documentFile::kOk) {
        prompts_.showMessage(this, QStringLiteral("Failed to save file"),
                             UserPrompts::Icon::Exclamation);
        return false;
    }
    currentFileName_ = path;
    txtAram_->setTextModified(false);
    return true;
}

bool fMain::querySaveChanges() {
    if (!txtAram_->isTextModified())
        return true;
    switch (prompts_.askYesNoCancel(this, QStringLiteral("Do you want to save changes?"))) {
    case UserPrompts::Answer::No:
        return true;
    case UserPrompts::Answer::Cancel:
        return false;
    case UserPrompts::Answer::Yes:
        break;
    }
    QString path = currentFileName_;
    if (path.isEmpty())
        path = askSaveFileName();
    if (path.isEmpty())
        return false;
    // The caption is renewed by the command that follows.
    return writeDocument(path);
}

QString fMain::askOpenFileName() {
    fileDialogRequest request;
    request.filter = buildFilterString({"All Files (*.*)", "*.*", "Notaro Files (*.NTR)", "*.NTR",
                                        "Text Documents (*.txt)", "*.txt"});
    request.initialFolder = appValues().samplesFolder;
    request.title = QStringLiteral("Open file:");
    request.flags = dialogFlags::kOpenScore;
    if (!showOpenDialog(request, prompts_, this))
        return {};
    return request.chosenPath.trimmed();
}

QString fMain::askSaveFileName() {
    fileDialogRequest request;
    request.filter = buildFilterString(
        {"All Files", "*.*", "Notaro Files (*.NTR)", "*.NTR", "Text Documents", "*.txt"});
    QString folder, name;
    if (!currentFileName_.isEmpty() &&
        documentFile::splitPath(currentFileName_, folder, name) == 0) {
        request.initialFolder = folder;
        request.fileName = name;
    }
    request.title = QStringLiteral("Save as:");
    request.flags = dialogFlags::kSaveFile;
    if (!showSaveDialog(request, prompts_, this))
        return {};
    const QString path = request.chosenPath.trimmed();
    return path.isEmpty() ? path : documentFile::withDefaultExtension(path, kScoreExtension);
}

void fMain::noteTimesCommand() {
    fOnTimes dialog(prompts_, onTimeRatios_, this);
    connect(&dialog, &fOnTimes::applied, this,
            [this](const OnTimeRatios& ratios) { onTimeRatios_ = ratios; });
    dialog.exec();
}

void fMain::helpContentsCommand() {
    openHelpTopic(dataFolder(QStringLiteral("help")) + QStringLiteral("/eOview.htm"), prompts_,
                  this);
}

void fMain::examplesCommand() {
    fExamples dialog(prompts_, this);
    dialog.exec();
}

void fMain::aboutCommand() {
    fAbout dialog(prompts_, this);
    dialog.exec();
}

} // namespace notaro::app
