#include "app/editor/CaretRest.h"
#include "tests/app/AppTestSupport.h"

namespace notaro::app::test {
namespace {

using CaretRestTest = EditorRig;

// An untouched editor stops blinking; a key brings it back, and losing the focus gives the
// other widgets their blinking back.
TEST_F(CaretRestTest, BlinkingStopsUntilTheNextKey) {
    const int flashTime = QApplication::cursorFlashTime();
    ASSERT_GT(flashTime, 0);
    editor->show();
    QApplication::setActiveWindow(editor.get());
    editor->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    auto* rest = new CaretRest(*editor);
    EXPECT_TRUE(rest->timer().isActive());
    rest->timer().setInterval(0);
    EXPECT_TRUE(QTest::qWaitFor([rest] { return rest->resting(); }));
    EXPECT_EQ(QApplication::cursorFlashTime(), 0);
    QTest::keyClick(editor.get(), Qt::Key_A);
    EXPECT_FALSE(rest->resting());
    EXPECT_EQ(QApplication::cursorFlashTime(), flashTime);
    EXPECT_EQ(editor->toPlainText(), "a");
    ASSERT_TRUE(QTest::qWaitFor([rest] { return rest->resting(); }));
    editor->clearFocus();
    EXPECT_EQ(QApplication::cursorFlashTime(), flashTime);
}

} // namespace
} // namespace notaro::app::test
