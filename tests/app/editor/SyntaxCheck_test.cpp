#include "app/editor/SyntaxCheck.h"
#include "tests/app/AppTestSupport.h"

namespace notaro::app::test {
namespace {

using SyntaxCheckTest = EditorRig;
using Icon = UserPrompts::Icon;

TEST_F(SyntaxCheckTest, SelectsTheFaultBeforeTheMessageShows) {
    // score, what the editor shows selected while the message is open, message, icon
    const std::tuple<std::string, QString, QString, Icon> cases[] = {
        {kHeader + "4c 4d 4x 4e\r\n", "4x", "Error: Invalid note/rest", Icon::Exclamation},
        {kHeader + "4c 4d\r\n", "", "The syntax is correct", Icon::Information}};
    for (const auto& [score, selected, message, icon] : cases) {
        editor->setScoreText(score);
        QString selectedAtMessage = "-";
        prompts.onMessage = [&](const auto&) {
            selectedAtMessage = editor->textCursor().selectedText();
        };
        prompts.messages.clear();
        syntax->checkCommand();
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].text, message);
        EXPECT_EQ(prompts.messages[0].icon, icon);
        EXPECT_EQ(selectedAtMessage, selected);
    }
}

} // namespace
} // namespace notaro::app::test
