#pragma once

#include <QDialog>

namespace notaro::app {

class UserPrompts;

/// The Examples box: says where music examples in the score language are and links to them
/// (the sample scores that come with the program). Its one button closes it on Enter and Escape.
class fExamples : public QDialog {
    Q_OBJECT

public:
    /// @param prompts opens the link
    /// @param parent the main window, whose icon the box takes
    explicit fExamples(UserPrompts& prompts, QWidget* parent = nullptr);
};

} // namespace notaro::app
