#include "QtTestEnvironment.h"

#include <glimmer/tkHLink.h>
#include <glimmer/tkHLinkPage.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace glimmer;

namespace {

TEST(LinkPageTest, FillsFieldsFromFirstSelectedControlAndUserEditsMarkIt) {
    tkHLink first;
    tkHLink second;
    first.setCaption(QStringLiteral("First"));
    first.setLinkURL(QStringLiteral("https://one.example"));
    first.setLinkUnderLined(true);
    first.setLinkSingleClickActivate(false);
    second.setCaption(QStringLiteral("Second"));
    tkHLinkPage page;
    page.setSelectedControls({&first, &second});
    EXPECT_EQ(page.windowTitle(), QStringLiteral("Miscellaneous"));
    EXPECT_EQ(page.captionEdit()->text(), QStringLiteral("First"));
    EXPECT_EQ(page.urlEdit()->text(), QStringLiteral("https://one.example"));
    EXPECT_TRUE(page.underlinedBox()->isChecked());
    EXPECT_FALSE(page.singleClickBox()->isChecked());
    EXPECT_FALSE(page.autoSizeBox()->isChecked());
    EXPECT_TRUE(page.enabledBox()->isChecked());
    EXPECT_FALSE(page.isChanged());
    // Only the user's edits mark the page changed.
    QSignalSpy changed(&page, &tkHLinkPage::changed);
    page.show();
    QTest::keyClicks(page.captionEdit(), QStringLiteral("x"));
    EXPECT_TRUE(page.isChanged());
    page.autoSizeBox()->click(); // as a user's click or Space press does
    EXPECT_EQ(changed.count(), 2);
}

TEST(LinkPageTest, ApplyWritesFirstControlAddressFirstAndEnabledLast) {
    tkHLink first;
    tkHLink second;
    first.setCaption(QStringLiteral("Old"));
    second.setCaption(QStringLiteral("Untouched"));
    tkHLinkPage page;
    page.setSelectedControls({&first, &second});
    page.urlEdit()->setText(QString());
    page.captionEdit()->setText(QStringLiteral("New"));
    page.singleClickBox()->setChecked(false);
    page.underlinedBox()->setChecked(true);
    page.autoSizeBox()->setChecked(true);
    page.enabledBox()->setChecked(false);
    QStringList order;
    QObject::connect(&first, &tkHLink::propertyChanged, [&](const QString& key) { order << key; });
    page.apply();
    EXPECT_EQ(order, QStringList({"LinkURL", "LinkSingleClickActivate", "LinkUnderLined", "Caption",
                                  "AutoSize", "Enabled"}));
    // The address is cleared before the caption is set, so the caption becomes the address.
    EXPECT_EQ(first.LinkURL(), QStringLiteral("New"));
    EXPECT_FALSE(first.isEnabled());
    EXPECT_EQ(second.Caption(), QStringLiteral("Untouched"));
    EXPECT_FALSE(page.isChanged());
}

} // namespace
