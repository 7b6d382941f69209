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
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace glimmer;

namespace {

struct AccessCase {
    const char* what;
    std::function<QWidget*(QWidget*)> make;
    QAccessible::Role role;
    const char* name;
    bool checked, disabled;
    QVariant value; ///< invalid: the control offers no value
};

TEST(Accessible, EachControlHasItsRoleNameStateAndValue) {
    const auto button = [](const char* caption, const char* tip, bool latched) {
        return [=](QWidget* host) {
            auto* b = new chBut(host);
            b->setCaption(QString::fromUtf8(caption));
            b->setToolTip(QString::fromUtf8(tip));
            b->setCheckBoxBehaviour(latched);
            b->setValue(latched);
            return b;
        };
    };
    // clang-format off
    const AccessCase cases[] = {
        {"captioned button", button("Save &As && Quit", "tip", false), QAccessible::PushButton,
         "Save As & Quit", false, false, {}},
        {"picture button", button("", "Play / Stop", false), QAccessible::PushButton,
         "Play / Stop", false, false, {}},
        {"latched button", button("", "Play / Stop", true), QAccessible::CheckBox,
         "Play / Stop", true, false, {}},
        {"greyed button", [&](QWidget* h) { QWidget* b = button("Go", "", false)(h);
            b->setEnabled(false); return b; }, QAccessible::PushButton, "Go", false, true, {}},
        {"link", [](QWidget* h) { auto* l = new tkHLink(h); l->setCaption("notaro-cli");
            return l; }, QAccessible::Link, "notaro-cli", false, false, {}},
        {"frame", [](QWidget* h) { auto* f = new t1Frame(h); f->setCaption("Output");
            return f; }, QAccessible::Grouping, "Output", false, false, {}},
        {"caption", [](QWidget* h) { auto* c = new t1Cap(h); c->setCaption("Title");
            return c; }, QAccessible::StaticText, "Title", false, false, {}},
        {"gradient panel", [](QWidget* h) { auto* g = new t1Grad(h); g->setToolTip("Panel");
            return g; }, QAccessible::Pane, "Panel", false, false, {}},
        {"graph", [](QWidget* h) { auto* g = new sGraph(h); g->setAccessibleName("Load");
            return g; }, QAccessible::Chart, "Load", false, false, {}},
        {"LED bar", [](QWidget* h) { auto* m = new L2M2(h); m->setMaxValue(6); m->setValue(4.5f);
            m->setToolTip("Level"); return m; }, QAccessible::ProgressBar, "Level", false, false,
         4.5f},
        {"scale", [](QWidget* h) { auto* s = new s2M2(h); s->setMaxValue(10); s->setValue(2.5f);
            s->setToolTip("Tempo"); return s; }, QAccessible::Slider, "Tempo", false, false, 2.5f},
    };
    // clang-format on
    for (const AccessCase& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget host;
        QWidget* control = c.make(&host);
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
