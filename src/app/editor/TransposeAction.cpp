#include "app/editor/TransposeAction.h"

#include "app/dialogs/TransposeDialog.h"
#include "app/editor/ScoreEditor.h"
#include "app/editor/SyntaxCheck.h"
#include "app/shell/UserPrompts.h"
#include "base/TextUtil.h"
#include "score/ScoreTransposer.h"
#include "score/cTParse.h"

namespace notaro::app {

TransposeAction::TransposeAction(ScoreEditor& editor, const SyntaxCheck& syntax,
                                 UserPrompts& prompts, QWidget* dialogParent, Ask ask)
    : editor_(editor), syntax_(syntax), prompts_(prompts), dialogParent_(dialogParent),
      ask_(ask ? std::move(ask) : Ask(&TransposeDialog::ask)) {}

void TransposeAction::run() {
    // A score with an error is shown as Check Syntax shows it, before anything is asked.
    cTParse parser;
    if (!syntax_.parse(parser))
        return;
    if (const std::optional<TransposeRequest> request =
            ask_(dialogParent_, editor_.selLength() > 0))
        transpose(*request);
}

bool TransposeAction::transpose(TransposeRequest request) {
    request.selectionStart = editor_.selStart();
    request.selectionLength = editor_.selLength();
    const TransposeResult result = transposeScore(editor_.scoreText(), request);
    if (!result.ok()) {
        prompts_.showMessage(dialogParent_, QString::fromStdString(result.refusal->message),
                             UserPrompts::Icon::Exclamation);
        return false;
    }
    // Every text the editor holds must fit its limit, so that it can be saved and opened again.
    int64_t growth = 0;
    for (const TextEdit& e : result.edits)
        growth += text::charCount(e.text) - e.length;
    const int32_t limit = editor_.characterLimit();
    if (limit > 0 && editor_.scoreLength() + growth > limit) {
        prompts_.showMessage(dialogParent_,
                             QStringLiteral("The transposed score would be longer than the %1 "
                                            "characters the editor holds.")
                                 .arg(limit),
                             UserPrompts::Icon::Exclamation);
        return false;
    }
    if (result.movedNotes == 0)
        prompts_.beep();
    editor_.replaceChars(result.edits);
    return true;
}

} // namespace notaro::app
