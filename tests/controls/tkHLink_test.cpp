#include "tests/controls/QtTestEnvironment.h"

#include <glimmer/MemoryPropertyBag.h>
#include <glimmer/tkHLink.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <glimmer/tkHLinkPage.h>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>

using namespace glimmer;
using namespace glimmer::test;

namespace {

struct LinkHarness {
    LinkHarness() : host(std::make_unique<QWidget>()) {
        host->setGeometry(100, 100, 300, 100);
        link = new tkHLink(host.get());
        link->setGeometry(10, 10, 200, 30);
        link->setOpener([this](const QUrl& url) { opened << url.toString(); });
        host->show();
    }
    void click(Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseClick(link->label(), b, Qt::NoModifier, QPoint(5, 5));
    }

    std::unique_ptr<QWidget> host;
    tkHLink* link;
    QStringList opened;
};

TEST(LinkTest, OpensMailMessageForMailAddressesAndAnythingElseThroughTheShell) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"mailto:ann@example.org", "mailto:ann@example.org"},
        {"ann@example.org", "mailto:ann@example.org"},
        {"MAILTO:ann@example.org", "mailto:ann@example.org"},
        {"https://example.org/a?b=c", "https://example.org/a?b=c"},
        {"www.example.org", "http://www.example.org"}, {"user@host", "http://user@host"}};
    // clang-format on
    for (const auto& [address, opened] : cases) {
        LinkHarness h;
        h.link->setLinkURL(QString::fromUtf8(address));
        h.click();
        EXPECT_EQ(h.opened, QStringList{QString::fromUtf8(opened)}) << address;
    }
    LinkHarness h;
    h.link->InitProperties(QStringLiteral("www.example.org"));
    h.click();
    EXPECT_EQ(h.link->LinkURL(), QStringLiteral("www.example.org")) << "an empty address: caption";
    EXPECT_EQ(h.opened, QStringList{QStringLiteral("http://www.example.org")});
    h.link->setLinkURL(QString());
    h.link->setCaption(QStringLiteral("https://example.org/"));
    h.link->setCaption(QStringLiteral("Our site")); // the address set by the first caption stays
    EXPECT_EQ(h.link->LinkURL(), QStringLiteral("https://example.org/"));
    EXPECT_EQ(h.link->label()->text(), QStringLiteral("Our site"));
}

TEST(LinkTest, OpeningTakesVisitedColourUnlessNavigateIsCancelled) {
    for (const bool cancel : {false, true}) {
        LinkHarness h;
        h.link->setLinkURL(QStringLiteral("https://example.org"));
        h.link->setCaption(QStringLiteral("Visit"));
        QObject::connect(h.link, &tkHLink::Navigate, [cancel](bool& c) { c = cancel; });
        EXPECT_FALSE(inkBox(render(*h.link), 0xC00000, h.link->rect()).isEmpty());
        h.click();
        const quint32 want = cancel ? 0xC00000 : 0x800080;
        EXPECT_EQ(h.link->LinkActiveColor(), want);
        const QImage after = render(*h.link);
        EXPECT_FALSE(inkBox(after, want, after.rect()).isEmpty()) << "caption drawn in it";
        EXPECT_EQ(h.opened.size(), cancel ? 0 : 1);
    }
}

TEST(LinkTest, ClickRulesDecideHowOftenTheLinkOpens) {
    // Single click activates, button, twice (a double click: the first click, then Qt Test's
    // second press alone), then the clicks, double clicks and openings.
    for (const auto& [single, button, twice, wantClicks, wantDoubles, wantOpens] :
         {std::tuple{true, Qt::LeftButton, false, 1, 0, 1},
          {false, Qt::LeftButton, false, 1, 0, 0},
          {true, Qt::LeftButton, true, 1, 1, 2},
          {false, Qt::LeftButton, true, 1, 1, 1},
          {true, Qt::RightButton, false, 0, 0, 0}}) {
        LinkHarness h;
        h.link->setLinkURL(QStringLiteral("https://example.org"));
        h.link->setLinkSingleClickActivate(single);
        QSignalSpy clicks(h.link, &tkHLink::Click);
        QSignalSpy doubles(h.link, &tkHLink::DblClick);
        h.click(button);
        if (twice) {
            QTest::mouseDClick(h.link->label(), button, Qt::NoModifier, QPoint(5, 5));
            QTest::mouseRelease(h.link->label(), button, Qt::NoModifier, QPoint(5, 5));
        }
        EXPECT_EQ(std::tuple(int(clicks.count()), int(doubles.count()), int(h.opened.size())),
                  std::tuple(wantClicks, wantDoubles, wantOpens))
            << single << " " << button << " " << twice;
    }
}

TEST(LinkTest, MouseEventsOfLabelAreRaisedWithSameArguments) {
    LinkHarness h;
    QSignalSpy downs(h.link, &tkHLink::MouseDown);
    QSignalSpy ups(h.link, &tkHLink::MouseUp);
    QTest::mouseClick(h.link->label(), Qt::RightButton, Qt::ShiftModifier, QPoint(12, 7));
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs.at(0), (QList<QVariant>{short(2), short(1), 12.0f, 7.0f}));
    EXPECT_EQ(ups.count(), 1);
}

TEST(LinkTest, AutoSizeFitsTextPlusBorderAllowanceAndResizeCoversControlWithLabel) {
    LinkHarness h;
    QSignalSpy resized(h.link, &tkHLink::Resize);
    h.link->resize(150, 40);
    EXPECT_EQ(h.link->label()->geometry(), QRect(0, 0, 150, 40));
    EXPECT_EQ(resized.count(), 1);
    h.link->setCaption(QStringLiteral("A fairly long link text"));
    h.link->setAutoSize(true);
    const QSize text = h.link->label()->sizeHint();
    EXPECT_EQ(h.link->size(), text);
    h.link->setAutoSize(false);
    h.link->setBorderStyle(tkHLink::FixedSingle);
    h.link->setAutoSize(true);
    EXPECT_EQ(h.link->size(), text + QSize(7, 7)) << "100 twips at 15 twips per pixel";
}

TEST(LinkTest, EmptyBagGivesOpaqueLinkAndNewLinkTakesHostFontAndName) {
    LinkHarness h;
    h.link->ReadProperties(MemoryPropertyBag());
    EXPECT_EQ(h.link->BackStyle(), 1);
    EXPECT_EQ(h.link->Font(), h.host->font());
    QSignalSpy init(h.link, &tkHLink::InitPropertiesEvent);
    h.link->InitProperties(QStringLiteral("tkHLink1"));
    EXPECT_EQ(init.count(), 1);
    EXPECT_EQ(h.link->Caption(), QStringLiteral("tkHLink1"));
}

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
    EXPECT_EQ(QStringList({page.windowTitle(), page.captionEdit()->text(), page.urlEdit()->text()}),
              QStringList({"Miscellaneous", "First", "https://one.example"}));
    // Underlined, single click, auto size, enabled.
    EXPECT_EQ(std::tuple(page.underlinedBox()->isChecked(), page.singleClickBox()->isChecked(),
                         page.autoSizeBox()->isChecked(), page.enabledBox()->isChecked()),
              std::tuple(true, false, false, true));
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
