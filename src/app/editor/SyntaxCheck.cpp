#include "app/editor/SyntaxCheck.h"

#include "app/editor/ScoreEditor.h"
#include "app/shell/UserPrompts.h"
#include "score/cTParse.h"

#include <QCoreApplication>

namespace notaro::app {

SyntaxCheck::SyntaxCheck(ScoreEditor& editor, UserPrompts& prompts, QWidget* dialogParent)
    : editor_(editor), prompts_(prompts), dialogParent_(dialogParent) {}

bool SyntaxCheck::parse(cTParse& parser, std::string* text) const {
    const std::string scoreText = editor_.scoreText();
    const ParseError error = parser.parseAramText(scoreText);
    if (text)
        *text = scoreText;
    if (error.ok())
        return true;
    QString message;
    if (error.line <= 0) {
        message = QStringLiteral("Failed to check syntax.");
    } else {
        message = QStringLiteral("Error: ") + QString::fromStdString(error.message);
        if (error.marksToken())
            editor_.selectInLine(error.line - 1, error.column, error.length);
        else
            editor_.selectLine(error.line - 1);
        // The selection must show before the message box opens.
        editor_.repaint();
        QCoreApplication::processEvents();
    }
    prompts_.showMessage(dialogParent_, message, UserPrompts::Icon::Exclamation);
    return false;
}

void SyntaxCheck::checkCommand() const {
    cTParse parser;
    if (parse(parser))
        prompts_.showMessage(dialogParent_, QStringLiteral("The syntax is correct"),
                             UserPrompts::Icon::Information);
}

} // namespace notaro::app
