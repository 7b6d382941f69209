#include "app/editor/LiveSyntaxCheck.h"
#include "tests/app/AppTestSupport.h"

#include <QSignalSpy>

namespace notaro::app::test {
namespace {

using LiveSyntaxCheckTest = EditorRig;

TEST_F(LiveSyntaxCheckTest, MarksTheFirstErrorAndKeepsTheLastCorrectParse) {
    const auto live = std::make_unique<LiveSyntaxCheck>(*editor);
    QSignalSpy checked(live.get(), &LiveSyntaxCheck::checked);
    QSignalSpy renewed(live.get(), &LiveSyntaxCheck::snapshotChanged);
    // score, mark start (characters, é counting once), mark length, message, records of the
    // snapshot afterwards: an error keeps the parse of the last correct text
    const std::tuple<std::string, int, int, QString, int> cases[] = {
        {kScore, 0, 0, "", 2},
        {"**n[a-b-c]\r\n4c 4é 4e\r\n*t[x]\r\n", 15, 2, "Line 2: Error: Invalid note/rest", 2},
        {kScore + "4e\r\n", 0, 0, "", 3}};
    for (const auto& [score, start, length, message, records] : cases) {
        editor->setScoreText(score);
        EXPECT_TRUE(live->timer().isActive()) << "a change starts the quiet-time timer";
        live->timer().start(0); // instead of the half second a user waits
        ASSERT_TRUE(checked.wait(5000));
        EXPECT_EQ(checked.last().at(0).toString(), message);
        EXPECT_EQ(editor->errorMarkStart() * !!length, start);
        EXPECT_EQ(editor->errorMarkLength(), length);
        ASSERT_TRUE(live->snapshot());
        EXPECT_EQ(live->snapshot()->score.nNotes(), records);
    }
    EXPECT_EQ(renewed.count(), 2);
    EXPECT_TRUE(prompts.messages.empty()) << "the live check shows no message box";
}

TEST_F(LiveSyntaxCheckTest, ACheckThatAnEditOvertookIsNeverApplied) {
    const auto live = std::make_unique<LiveSyntaxCheck>(*editor);
    QSignalSpy checked(live.get(), &LiveSyntaxCheck::checked);
    editor->setScoreText(kHeader + "4x\r\n");
    // The text is corrected right after the check of the faulty text has started.
    QObject::connect(
        &live->timer(), &QTimer::timeout, editor.get(), [this] { editor->setScoreText(kScore); },
        Qt::SingleShotConnection);
    live->timer().start(0);
    ASSERT_TRUE(checked.wait(5000));
    EXPECT_EQ(checked.first().at(0).toString(), "");
    EXPECT_EQ(editor->errorMarkLength(), 0);
    ASSERT_TRUE(live->snapshot());
    EXPECT_EQ(live->snapshot()->score.nNotes(), 2);
}

TEST_F(LiveSyntaxCheckTest, AnEditMadeWhileACheckRunsIsCheckedWhenItEnds) {
    const auto live = std::make_unique<LiveSyntaxCheck>(*editor);
    QSignalSpy checked(live.get(), &LiveSyntaxCheck::checked);
    QSignalSpy fired(&live->timer(), &QTimer::timeout);
    std::string slow = kHeader + "*def[A]\r\n4c\r\n*enddef\r\n"; // millions of lines to expand
    for (int i = 0; i < 100; ++i)
        slow += "*usedef[A:32767]\r\n";
    editor->setScoreText(slow);
    live->timer().start(0);
    ASSERT_TRUE(fired.wait(5000));
    editor->setScoreText(kHeader + "4x\r\n");
    live->timer().start(0);
    ASSERT_TRUE(checked.wait(60000));
    EXPECT_EQ(checked.last().at(0).toString(), "Line 2: Error: Invalid note/rest");
}

} // namespace
} // namespace notaro::app::test
