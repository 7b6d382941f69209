#include "app/shell/UserPrompts.h"

#include "app/shell/AppValues.h"
#include "app/shell/FileDialogRequest.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace notaro::app {

namespace {

class DesktopPrompts : public UserPrompts {
public:
    void showMessage(QWidget* parent, const QString& text, Icon icon) override {
        QMessageBox box(icon == Icon::Information   ? QMessageBox::Information
                        : icon == Icon::Exclamation ? QMessageBox::Warning
                                                    : QMessageBox::Question,
                        appValues().appTitle, text, QMessageBox::Ok, parent);
        box.exec();
    }

    Answer askYesNoCancel(QWidget* parent, const QString& text) override {
        QMessageBox box(QMessageBox::Question, appValues().appTitle, text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
        }
    }

    int choose(QWidget* parent, Icon icon, const QString& text, const QString& detail,
               const QStringList& buttons) override {
        QMessageBox box(icon == Icon::Information   ? QMessageBox::Information
                        : icon == Icon::Exclamation ? QMessageBox::Warning
                                                    : QMessageBox::Question,
                        appValues().appTitle, text, QMessageBox::NoButton, parent);
        if (!detail.isEmpty())
            box.setDetailedText(detail);
        QList<QAbstractButton*> made;
        for (const QString& label : buttons)
            made << box.addButton(label, made.isEmpty() ? QMessageBox::AcceptRole
                                                        : QMessageBox::RejectRole);
        if (made.isEmpty())
            made << box.addButton(QMessageBox::Ok);
        box.setDefaultButton(qobject_cast<QPushButton*>(made.constFirst()));
        box.setEscapeButton(made.constLast());
        box.exec();
        const int chosen = static_cast<int>(made.indexOf(box.clickedButton()));
        return chosen < 0 ? static_cast<int>(made.size()) - 1 : chosen;
    }

    bool runFileDialog(QWidget* parent, fileDialogRequest& request, bool save) override {
        QFileDialog dialog(parent, request.title, request.initialFolder);
        dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        const bool mustExist = (request.flags & dialogFlags::kFileMustExist) != 0;
        dialog.setFileMode(save || !mustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if ((request.flags & dialogFlags::kOverwritePrompt) == 0)
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        const QStringList filters = toQtFilters(request.filter);
        dialog.setNameFilters(filters);
        if (request.filterIndex >= 0 && request.filterIndex < filters.size())
            dialog.selectNameFilter(filters.at(request.filterIndex));
        if (!request.defaultExtension.isEmpty())
            dialog.setDefaultSuffix(request.defaultExtension);
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName.left(512));
        dialog.setWindowModality(Qt::WindowModal);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        completeRequest(request, dialog.selectedFiles().constFirst());
        return true;
    }

    int chooseItem(QWidget* parent, const QString& label, const QStringList& items) override {
        bool ok = false;
        const QString chosen =
            QInputDialog::getItem(parent, appValues().appTitle, label, items, 0, false, &ok);
        return ok ? static_cast<int>(items.indexOf(chosen)) : -1;
    }

    void beep() override { QApplication::beep(); }

    void openUrl(const QUrl& url) override { QDesktopServices::openUrl(url); }
};

} // namespace

UserPrompts& desktopPrompts() {
    static DesktopPrompts prompts;
    return prompts;
}

} // namespace notaro::app
