#include "tests/controls/ButtonHarness.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// The top-left outer pixel of a grey classic button: highlight when up, dark shadow when pressed.
bool drawnPressed(const ButtonHarness& h) {
    return oleAt(h.surface(), 30, 0) == 0x000000u;
}

TEST(ButtonInputTest, OnlyAnEnabledLeftClickClicksAndEveryButtonRaisesDownAndUp) {
    ButtonHarness h;
    h.style(chBut::Windows32Bit);
    QStringList order;
    QObject::connect(h.button, &chBut::MouseDown, [&](short b, short s, float x, float y) {
        order << QStringLiteral("down %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y);
    });
    QObject::connect(h.button, &chBut::MouseUp, [&](short b, short, float, float) {
        order << QStringLiteral("up %1").arg(b);
    });
    QObject::connect(h.button, &chBut::Click, [&] { order << QStringLiteral("click"); });
    QTest::mouseClick(h.button, Qt::LeftButton, Qt::ShiftModifier, QPoint(7, 9));
    QTest::mousePress(h.button, Qt::RightButton, Qt::NoModifier, QPoint(7, 9));
    EXPECT_FALSE(drawnPressed(h)) << "the right button does not press";
    QTest::mouseRelease(h.button, Qt::RightButton, Qt::NoModifier, QPoint(7, 9));
    h.button->setEnabled(false);
    QTest::mouseClick(h.button, Qt::LeftButton, Qt::NoModifier, QPoint(7, 9));
    EXPECT_EQ(order, QStringList({"down 1 1 7 9", "up 1", "click", "down 2 0 7 9", "up 2"}));
}

TEST(ButtonInputTest, PressDrawsPressedAndReleaseClicksWithoutLatchingValue) {
    for (const bool bySpace : {false, true}) {
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
        EXPECT_TRUE(drawnPressed(h)) << "space " << bySpace;
        EXPECT_EQ(clicks.count(), 0);
        if (bySpace)
            QTest::keyRelease(h.button, Qt::Key_Space);
        else
            h.release();
        EXPECT_FALSE(drawnPressed(h));
        EXPECT_EQ(clicks.count(), 1);
        EXPECT_FALSE(h.button->Value()) << "only toggle buttons latch";
    }
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
    EXPECT_EQ(downs.at(1), (QList<QVariant>{short(1), short(0), 0.0f, 0.0f}))
        << "the second press is reported at (0, 0)";
}

TEST(ButtonInputTest, PointerInRaisesMouseOverOnceAndLeavingOrBeingCoveredRaisesMouseOutOnce) {
    for (const bool covered : {false, true}) {
        ButtonHarness h;
        QSignalSpy over(h.button, &chBut::MouseOver);
        QSignalSpy out(h.button, &chBut::MouseOut);
        h.hover();
        QTest::mouseMove(h.button, QPoint(5, 5));
        QTest::mouseMove(h.button, QPoint(40, 12));
        EXPECT_EQ(over.count(), 1);
        EXPECT_TRUE(h.button->isHovered());
        if (covered) {
            auto* cover = new QWidget(h.host.get());
            cover->setGeometry(0, 0, 200, 120);
            cover->show();
        } else {
            QCursor::setPos(QPoint(-500, -500));
        }
        EXPECT_TRUE(out.wait(2000)) << "covered " << covered;
        QTest::qWait(50);
        EXPECT_EQ(out.count(), 1);
        EXPECT_FALSE(h.button->isHovered());
    }
}

TEST(ButtonInputTest, KeysCarryCodesArrowsMoveFocusAndAccessKeyClicks) {
    ButtonHarness h;
    h.focus();
    QSignalSpy down(h.button, &chBut::KeyDown);
    QSignalSpy press(h.button, &chBut::KeyPress);
    QSignalSpy up(h.button, &chBut::KeyUp);
    QTest::keyClick(h.button, Qt::Key_A);
    QTest::keyClick(h.button, Qt::Key_B, Qt::ControlModifier);
    // Key codes of the classic virtual keys, the typed character, Ctrl as 2 in the shift state.
    EXPECT_EQ(down.first(), (QList<QVariant>{short(65), short(0)}));
    EXPECT_EQ(down.last(), (QList<QVariant>{short(66), short(2)}));
    EXPECT_EQ(up.at(0), (QList<QVariant>{short(65), short(0)}));
    ASSERT_GE(press.count(), 1);
    EXPECT_EQ(press.at(0).at(0).value<short>(), short('a'));
    // Arrow keys move the focus like Tab and Shift+Tab.
    auto* second = new chBut(h.host.get());
    second->setGeometry(80, 10, 60, 24);
    second->show();
    h.focus();
    for (const auto& [key, expected] : {std::pair<Qt::Key, QWidget*>{Qt::Key_Right, second},
                                        {Qt::Key_Left, h.button},
                                        {Qt::Key_Down, second},
                                        {Qt::Key_Up, h.button}}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(QApplication::focusWidget(), expected) << "key " << key;
    }
    h.button->setCaption(QStringLiteral("&Play"));
    EXPECT_EQ(h.button->AccessKey(), QChar('p'));
    QSignalSpy clicks(h.button, &chBut::Click);
    QTest::keyClick(h.host.get(), Qt::Key_P, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace
