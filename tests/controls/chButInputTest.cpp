#include "ButtonHarness.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// The top-left outer pixel of a grey classic button: highlight when up, dark shadow when pressed.
bool drawnPressed(const ButtonHarness& h) {
    return oleAt(h.surface(), 30, 0) == 0x000000u;
}

TEST(ButtonInputTest, LeftClickRaisesDownUpClickInOrderWithArguments) {
    ButtonHarness h;
    QStringList order;
    QObject::connect(h.button, &chBut::MouseDown, [&](short b, short s, float x, float y) {
        order << QStringLiteral("down %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y);
    });
    QObject::connect(h.button, &chBut::MouseUp, [&](short b, short, float, float) {
        order << QStringLiteral("up %1").arg(b);
    });
    QObject::connect(h.button, &chBut::Click, [&] { order << QStringLiteral("click"); });
    QTest::mouseClick(h.button, Qt::LeftButton, Qt::ShiftModifier, QPoint(7, 9));
    EXPECT_EQ(order, QStringList({"down 1 1 7 9", "up 1", "click"}));
}

class ButtonPressTest : public ::testing::TestWithParam<bool> {};

TEST_P(ButtonPressTest, PressDrawsPressedAndReleaseClicksWithoutLatchingValue) {
    const bool bySpace = GetParam();
    ButtonHarness h;
    h.style(chBut::Windows32Bit);
    QSignalSpy clicks(h.button, &chBut::Click);
    h.hover();
    if (bySpace) {
        h.focus();
        QTest::keyPress(h.button, Qt::Key_Space);
    } else {
        h.press();
    }
    EXPECT_TRUE(drawnPressed(h));
    EXPECT_EQ(clicks.count(), 0);
    if (bySpace)
        QTest::keyRelease(h.button, Qt::Key_Space);
    else
        h.release();
    EXPECT_FALSE(drawnPressed(h));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(h.button->Value()) << "only toggle buttons latch";
}

INSTANTIATE_TEST_SUITE_P(LeftButtonAndSpace, ButtonPressTest, ::testing::Bool(),
                         [](const auto& info) {
                             return std::string(info.param ? "Space" : "LeftButton");
                         });

TEST(ButtonInputTest, RightButtonNeitherPressesNorClicks) {
    ButtonHarness h;
    h.style(chBut::Windows32Bit);
    QSignalSpy clicks(h.button, &chBut::Click);
    QSignalSpy downs(h.button, &chBut::MouseDown);
    QTest::mousePress(h.button, Qt::RightButton, Qt::NoModifier, h.centre());
    EXPECT_FALSE(drawnPressed(h));
    QTest::mouseRelease(h.button, Qt::RightButton, Qt::NoModifier, h.centre());
    EXPECT_EQ(clicks.count(), 0);
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs.at(0).at(0).value<short>(), 2);
}

TEST(ButtonInputTest, CheckBoxBehaviourLatchesValueOnEachClickAndSpace) {
    ButtonHarness h;
    h.style(chBut::Windows32Bit);
    h.button->setCheckBoxBehaviour(true);
    QSignalSpy clicks(h.button, &chBut::Click);
    QTest::mouseClick(h.button, Qt::LeftButton, Qt::NoModifier, h.centre());
    EXPECT_TRUE(h.button->Value());
    EXPECT_TRUE(drawnPressed(h)) << "a true Value keeps the button pressed";
    h.focus();
    QTest::keyClick(h.button, Qt::Key_Space);
    EXPECT_FALSE(h.button->Value());
    EXPECT_FALSE(drawnPressed(h));
    QTest::keyClick(h.button, Qt::Key_Space);
    EXPECT_TRUE(h.button->Value());
    EXPECT_EQ(clicks.count(), 3);
}

TEST(ButtonInputTest, DoubleClickPressesAndClicksTwice) {
    ButtonHarness h;
    h.button->setCheckBoxBehaviour(true);
    QSignalSpy clicks(h.button, &chBut::Click);
    QSignalSpy downs(h.button, &chBut::MouseDown);
    // Qt Test's double click is the second press alone.
    QTest::mouseClick(h.button, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    QTest::mouseDClick(h.button, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    QTest::mouseRelease(h.button, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_FALSE(h.button->Value()) << "toggled twice";
    ASSERT_EQ(downs.count(), 2);
    const QList<QVariant> second = downs.at(1);
    EXPECT_EQ(second.at(0).value<short>(), 1);
    EXPECT_EQ(second.at(2).value<float>(), 0.0f) << "the second press is reported at (0, 0)";
    EXPECT_EQ(second.at(3).value<float>(), 0.0f);
}

TEST(ButtonInputTest, DisabledButtonDoesNotClick) {
    ButtonHarness h;
    QSignalSpy clicks(h.button, &chBut::Click);
    h.button->setEnabled(false);
    QTest::mouseClick(h.button, Qt::LeftButton, Qt::NoModifier, h.centre());
    EXPECT_EQ(clicks.count(), 0);
}

TEST(ButtonInputTest, PointerInRaisesMouseOverOnceAndOutRaisesMouseOutOnce) {
    ButtonHarness h;
    QSignalSpy over(h.button, &chBut::MouseOver);
    QSignalSpy out(h.button, &chBut::MouseOut);
    h.hover();
    QTest::mouseMove(h.button, QPoint(5, 5));
    QTest::mouseMove(h.button, QPoint(40, 12));
    EXPECT_EQ(over.count(), 1);
    EXPECT_TRUE(h.button->isHovered());
    QCursor::setPos(QPoint(-500, -500));
    EXPECT_TRUE(out.wait(2000));
    QTest::qWait(50);
    EXPECT_EQ(out.count(), 1);
    EXPECT_FALSE(h.button->isHovered());
}

TEST(ButtonInputTest, HoverPollNoticesAnotherWidgetCoveringTheButton) {
    ButtonHarness h;
    QSignalSpy out(h.button, &chBut::MouseOut);
    h.hover();
    ASSERT_TRUE(h.button->isHovered());
    auto* cover = new QWidget(h.host.get());
    cover->setGeometry(0, 0, 200, 120);
    cover->show();
    EXPECT_TRUE(out.wait(2000));
}

TEST(ButtonInputTest, KeyEventsCarryKeyCodesAndCharacters) {
    ButtonHarness h;
    h.focus();
    QSignalSpy down(h.button, &chBut::KeyDown);
    QSignalSpy press(h.button, &chBut::KeyPress);
    QSignalSpy up(h.button, &chBut::KeyUp);
    QTest::keyClick(h.button, Qt::Key_A);
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down.at(0).at(0).value<short>(), 65);
    ASSERT_EQ(press.count(), 1);
    EXPECT_EQ(press.at(0).at(0).value<short>(), short('a'));
    ASSERT_EQ(up.count(), 1);
    EXPECT_EQ(up.at(0).at(0).value<short>(), 65);
    QTest::keyClick(h.button, Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(down.at(1).at(1).value<short>(), 2) << "Ctrl in the shift state";
}

TEST(ButtonInputTest, ArrowKeysMoveFocusLikeTabAndShiftTab) {
    ButtonHarness h;
    auto* second = new chBut(h.host.get());
    second->setGeometry(80, 10, 60, 24);
    second->show();
    h.focus();
    struct Step {
        Qt::Key key;
        QWidget* expected;
    };
    for (const Step s : {Step{Qt::Key_Right, second}, Step{Qt::Key_Left, h.button},
                         Step{Qt::Key_Down, second}, Step{Qt::Key_Up, h.button}}) {
        QTest::keyClick(QApplication::focusWidget(), s.key);
        EXPECT_EQ(QApplication::focusWidget(), s.expected) << "key " << s.key;
    }
}

TEST(ButtonInputTest, AccessKeyActsAsClick) {
    ButtonHarness h;
    h.button->setCaption(QStringLiteral("&Play"));
    EXPECT_EQ(h.button->AccessKey(), QChar('p'));
    QSignalSpy clicks(h.button, &chBut::Click);
    h.host->activateWindow();
    QApplication::setActiveWindow(h.host.get());
    QTest::keyClick(h.host.get(), Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace
