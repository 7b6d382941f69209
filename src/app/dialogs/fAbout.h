#pragma once

#include <QDialog>

namespace notaro::app {

class UserPrompts;

/// The About box: product name, version line, notice, and links to the help page, the sample
/// scores and the command-line tool's section of the help. Links open through the prompts'
/// openUrl, like every other thing the program hands to the desktop. Enter, Escape, the access
/// key of "&Close" and the Close button all close it.
class fAbout : public QDialog {
    Q_OBJECT

public:
    /// @param prompts opens the links
    /// @param parent the main window, whose icon the box takes
    explicit fAbout(UserPrompts& prompts, QWidget* parent = nullptr);
};

} // namespace notaro::app
