#pragma once

#include "score/Transposition.h"

#include <functional>
#include <optional>

class QWidget;

namespace notaro::app {

class ScoreEditor;
class SyntaxCheck;
class UserPrompts;

/// The Transpose command: moves the notes of the editor's selection, or of the whole score
/// when nothing is selected, as one undoable edit (see transposeScore for what is rewritten
/// and what is refused). A refusal is shown through the prompts and changes nothing.
class TransposeAction {
public:
    /// Asks how far to move: the window the dialog belongs to, and whether a selection moves.
    using Ask = std::function<std::optional<TransposeRequest>(QWidget*, bool)>;

    /// ask defaults to the Transpose dialog; syntax reports a score that does not parse.
    TransposeAction(ScoreEditor& editor, const SyntaxCheck& syntax, UserPrompts& prompts,
                    QWidget* dialogParent, Ask ask = {});

    /// The menu command: checks the score, asks, transposes.
    void run();
    /// Transposes the selection (or the whole score) as asked; request's selection is ignored.
    /// @return true when the notes moved (or no note was there to move: then a beep)
    bool transpose(TransposeRequest request);

private:
    ScoreEditor& editor_;
    const SyntaxCheck& syntax_;
    UserPrompts& prompts_;
    QWidget* dialogParent_;
    Ask ask_;
};

} // namespace notaro::app
