#include "tests/controls/QtTestEnvironment.h"

#include <glimmer/L2M2.h>
#include <glimmer/chBut.h>
#include <glimmer/s2M2.h>
#include <glimmer/sGraph.h>
#include <glimmer/t1Cap.h>
#include <glimmer/t1Frame.h>
#include <glimmer/t1Grad.h>
#include <glimmer/tkHLink.h>

#include <QAccessible>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace glimmer;

namespace {

using Properties = std::vector<std::pair<const char*, QVariant>>;

template <typename Control> QWidget* make(QWidget* host) {
    return new Control(host);
}

struct AccessCase {
    const char* what;
    QWidget* (*make)(QWidget*);
    Properties properties; ///< set in this order
    QAccessible::Role role;
    const char* name;
    bool checked, disabled;
    QVariant value; ///< invalid: the control offers no value
};

TEST(Accessible, EachControlHasItsRoleNameStateAndValue) {
    const QVariant none;
    // clang-format off
    const AccessCase cases[] = {
        {"captioned button", make<chBut>, {{"Caption", "Save &As && Quit"}, {"toolTip", "tip"}},
         QAccessible::PushButton, "Save As & Quit", false, false, none},
        {"picture button", make<chBut>, {{"toolTip", "New"}}, QAccessible::PushButton, "New",
         false, false, none},
        {"latched button", make<chBut>, {{"toolTip", "Play / Stop"}, {"CheckBoxBehaviour", true},
         {"Value", true}}, QAccessible::CheckBox, "Play / Stop", true, false, none},
        {"greyed button", make<chBut>, {{"Caption", "Go"}, {"enabled", false}},
         QAccessible::PushButton, "Go", false, true, none},
        {"link", make<tkHLink>, {{"Caption", "notaro-cli"}}, QAccessible::Link, "notaro-cli",
         false, false, none},
        {"frame", make<t1Frame>, {{"Caption", "Output"}}, QAccessible::Grouping, "Output", false,
         false, none},
        {"caption", make<t1Cap>, {{"Caption", "Title"}}, QAccessible::StaticText, "Title", false,
         false, none},
        {"gradient panel", make<t1Grad>, {{"toolTip", "Panel"}}, QAccessible::Pane, "Panel",
         false, false, none},
        {"graph", make<sGraph>, {{"accessibleName", "Load"}}, QAccessible::Chart, "Load", false,
         false, none},
        {"LED bar", make<L2M2>, {{"MaxValue", 6.f}, {"Value", 4.5f}, {"toolTip", "Level"}},
         QAccessible::ProgressBar, "Level", false, false, 4.5f},
        {"scale", make<s2M2>, {{"MaxValue", 10.f}, {"Value", 2.5f}, {"toolTip", "Tempo"}},
         QAccessible::Slider, "Tempo", false, false, 2.5f},
    };
    // clang-format on
    for (const AccessCase& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget host;
        QWidget* control = c.make(&host);
        for (const auto& [property, value] : c.properties)
            ASSERT_TRUE(control->setProperty(property, value)) << property;
        host.show();
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), c.role);
        EXPECT_EQ(face->text(QAccessible::Name), QString::fromUtf8(c.name));
        EXPECT_EQ(bool(face->state().checked), c.checked);
        EXPECT_EQ(bool(face->state().pressed), c.checked);
        EXPECT_EQ(bool(face->state().disabled), c.disabled);
        QAccessibleValueInterface* value = face->valueInterface();
        ASSERT_EQ(value != nullptr, c.value.isValid());
        if (value) {
            EXPECT_EQ(value->currentValue().toFloat(), c.value.toFloat());
        }
    }
}

TEST(Accessible, PressActionClicksAsTheSpaceKeyDoes) {
    QWidget host;
    auto* play = new chBut(&host);
    play->setCheckBoxBehaviour(true);
    host.show();
    int clicks = 0;
    QObject::connect(play, &chBut::Click, [&] { ++clicks; });
    QAccessibleActionInterface* actions =
        QAccessible::queryAccessibleInterface(play)->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(clicks, 0); // posted, so that a caller gets its answer first
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(play->Value());
}

} // namespace
