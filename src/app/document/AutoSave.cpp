#include "app/document/AutoSave.h"

#include "app/document/DocumentController.h"
#include "app/document/RecoveryStore.h"
#include "app/editor/ScoreEditor.h"
#include "app/shell/UserPrompts.h"

#include <QFile>
#include <QLocale>
#include <QStringList>
#include <QTextDocument>

#include <cstring>

namespace notaro::app {

AutoSave::AutoSave(ScoreEditor& editor, DocumentController& document, RecoveryStore& store,
                   QObject* parent)
    : QObject(parent), editor_(editor), document_(document), store_(store) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(kQuiet);
    longest_.setSingleShot(true);
    longest_.setInterval(kMostWhileTyping);
    connect(&quiet_, &QTimer::timeout, this, &AutoSave::writeNow);
    connect(&longest_, &QTimer::timeout, this, &AutoSave::writeNow);
    connect(editor_.document(), &QTextDocument::contentsChanged, this, &AutoSave::textEdited);
    connect(editor_.document(), &QTextDocument::modificationChanged, this, [this](bool modified) {
        if (!modified)
            forget();
    });
    connect(&document_, &DocumentController::documentSaved, this, &AutoSave::forget);
    // A recovered document arrives modified and is copied at once.
    connect(&document_, &DocumentController::documentReplaced, this, &AutoSave::writeNow);
}

void AutoSave::textEdited() {
    if (!editor_.isTextModified())
        return;
    quiet_.start();
    if (!longest_.isActive())
        longest_.start();
}

void AutoSave::writeNow() {
    quiet_.stop();
    longest_.stop();
    if (!editor_.isTextModified()) {
        store_.remove();
        return;
    }
    if (const int32_t rc = store_.write(document_.fileName(), editor_.scoreText()))
        emit copyFailed(tr("No recovery copy could be written in %1: %2.")
                            .arg(store_.folder(), QString::fromLocal8Bit(std::strerror(rc))));
}

void AutoSave::offerRecovery(UserPrompts& prompts, QWidget* dialogParent) {
    constexpr int kShownLines = 6;
    constexpr int kShownColumns = 80;
    store_.sweep();
    for (const RecoveryCopy& copy : store_.orphans()) {
        QStringList lines =
            QString::fromUtf8(copy.text.data(), static_cast<qsizetype>(copy.text.size()))
                .split(QStringLiteral("\r\n"));
        while (lines.size() > kShownLines)
            lines.removeLast();
        for (QString& line : lines)
            if (line.size() > kShownColumns)
                line = line.left(kShownColumns) + QStringLiteral("...");
        const QString text =
            tr("A score was not saved when notaro last ended unexpectedly.\n\nFile: %1\nCopied: "
               "%2\n\nIt begins:\n%3")
                .arg(copy.documentFile.isEmpty() ? tr("New Document") : copy.documentFile,
                     QLocale().toString(copy.written, QLocale::ShortFormat),
                     lines.join(QLatin1Char('\n')));
        const int answer = prompts.choose(dialogParent, UserPrompts::Icon::Question, text, {},
                                          {tr("Recover"), tr("Discard"), tr("Later")});
        if (answer == 1) {
            RecoveryStore::discard(copy);
        } else if (answer == 0) {
            document_.recoverDocument(copy.documentFile, copy.text);
            // The text lives on in this program's own copy before the old one goes.
            if (store_.copyPath().isEmpty() || !QFile::exists(store_.copyPath()))
                return;
            RecoveryStore::discard(copy);
            return;
        }
    }
}

void AutoSave::forget() {
    quiet_.stop();
    longest_.stop();
    store_.remove();
}

} // namespace notaro::app
