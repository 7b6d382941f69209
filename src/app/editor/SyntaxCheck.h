#pragma once

#include <string>

class QWidget;

namespace notaro {
class cTParse;
} // namespace notaro

namespace notaro::app {

class ScoreEditor;
class UserPrompts;

/// The parse every command that needs a correct score starts with (Check Syntax, Play, Save As
/// MIDI, Export as WAV): the editor's whole text is parsed, and when it fails the faulty token
/// (or its whole line) is selected and shown before the message box reports the error.
class SyntaxCheck {
public:
    /// @param dialogParent the window the message boxes belong to
    SyntaxCheck(ScoreEditor& editor, UserPrompts& prompts, QWidget* dialogParent);

    /// Parses the editor text into parser; text, when given, receives the text parsed.
    /// @return true when it parsed; false once the error has been selected and shown
    bool parse(cTParse& parser, std::string* text = nullptr) const;
    /// The Check Syntax command: parse, and say "The syntax is correct" when it is.
    void checkCommand() const;

private:
    ScoreEditor& editor_;
    UserPrompts& prompts_;
    QWidget* dialogParent_;
};

} // namespace notaro::app
