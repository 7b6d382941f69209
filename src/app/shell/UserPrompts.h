#pragma once

#include <QString>
#include <QStringList>

class QUrl;
class QWidget;

namespace notaro::app {

struct fileDialogRequest;

/// Everything through which the program asks or tells the user something, or reaches the
/// desktop: message boxes, file dialogs, the beep and the shell's open action. The program
/// goes through one object of this kind, so tests can read and answer every prompt.
class UserPrompts {
public:
    enum class Icon { Information, Exclamation, Question };
    enum class Answer { Yes, No, Cancel };

    virtual ~UserPrompts() = default;

    /// A modal message box with an OK button and the title appTitle.
    virtual void showMessage(QWidget* parent, const QString& text, Icon icon) = 0;
    /// A modal Yes/No/Cancel box with the question icon and the title appTitle.
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text) = 0;
    /// A modal message box with the title appTitle, one button per label (the first is the
    /// default, the last answers Escape) and detail under its details button when not empty.
    /// @return the index of the button chosen
    virtual int choose(QWidget* parent, Icon icon, const QString& text, const QString& detail,
                       const QStringList& buttons) = 0;
    /// Runs the open (save false) or save file dialog for the request, modal to parent.
    /// @return true when the user chose a file; request.chosenPath etc. are then set
    virtual bool runFileDialog(QWidget* parent, fileDialogRequest& request, bool save) = 0;
    /// A modal list to choose one item from, with a label above it and OK and Cancel.
    /// @return the index of the chosen item, -1 when cancelled
    virtual int chooseItem(QWidget* parent, const QString& label, const QStringList& items) = 0;
    /// The system beep.
    virtual void beep() = 0;
    /// Opens a file or address with the desktop's default program.
    virtual void openUrl(const QUrl& url) = 0;
};

/// The prompts of the running program: QMessageBox, QFileDialog, QApplication::beep and
/// QDesktopServices.
UserPrompts& desktopPrompts();

} // namespace notaro::app
