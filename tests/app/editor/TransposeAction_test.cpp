#include "app/editor/TransposeAction.h"
#include "tests/app/AppTestSupport.h"

#include <QTextDocument>

namespace notaro::app::test {
namespace {

using TransposeActionTest = EditorRig;

TEST_F(TransposeActionTest, MovesTheSelectionAsOneUndoStepAndARefusalChangesNothing) {
    const std::string original = kHeader + "4c 4d\r\n4bbbbb# 4e\r\n";
    const std::string moved = kHeader + "4d 4e\r\n4bbbbb# 4e\r\n";
    std::vector<bool> asked; // whether a selection was to move, at each question
    TransposeAction action(*editor, *syntax, prompts, nullptr, [&](QWidget*, bool selection) {
        asked.push_back(selection);
        return std::optional(TransposeRequest{2});
    });
    typeScore(original);
    editor->selectChars(13, 4); // "c 4d" touches both notes of line 2
    action.run();
    EXPECT_EQ(editor->scoreText(), moved);
    EXPECT_EQ(editor->textCursor().selectedText(), "d 4e");
    editor->undo();
    EXPECT_EQ(editor->scoreText(), original);
    EXPECT_FALSE(editor->document()->isUndoAvailable());
    editor->redo();
    // The whole score cannot move up: the message names the note, and no undo step is added.
    editor->selectChars(0, 0);
    action.run();
    EXPECT_EQ(prompts.texts(), QStringList({"Moving up 2 semitones would take the note 4bbbbb# at "
                                            "line 3, column 1 above bbbbb#, the highest note a "
                                            "score can hold."}));
    EXPECT_EQ(editor->scoreText(), moved);
    editor->undo();
    EXPECT_EQ(editor->scoreText(), original);
    // A score with an error is shown as Check Syntax shows it, and nothing is asked.
    typeScore(kHeader + "4c 4x\r\n");
    action.run();
    EXPECT_EQ(prompts.texts().last(), "Error: Invalid note/rest");
    EXPECT_EQ(asked, std::vector<bool>({true, false}));
}

} // namespace
} // namespace notaro::app::test
