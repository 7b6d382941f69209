#include "QtTestEnvironment.h"

#include <glimmer/MemoryPropertyBag.h>
#include <glimmer/OleColor.h>
#include <glimmer/PropertyError.h>
#include <glimmer/tkHLink.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace glimmer;
using namespace glimmer::test;

namespace {

/// A shown link whose opener records what would have been opened.
struct LinkHarness {
    LinkHarness() : host(std::make_unique<QWidget>()) {
        host->setGeometry(100, 100, 300, 100);
        link = new tkHLink(host.get());
        link->setGeometry(10, 10, 200, 30);
        link->setOpener([this](const QUrl& url) { opened << url.toString(); });
        host->show();
    }
    void click() { QTest::mouseClick(link->label(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5)); }
    void doubleClick() {
        click();
        QTest::mouseDClick(link->label(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseRelease(link->label(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    }

    std::unique_ptr<QWidget> host;
    tkHLink* link;
    QStringList opened;
};

TEST(LinkTest, CaptionSetWhileAddressEmptyBecomesAddressButLaterCaptionKeepsIt) {
    LinkHarness h;
    h.link->setCaption(QStringLiteral("https://example.org/"));
    EXPECT_EQ(h.link->LinkURL(), QStringLiteral("https://example.org/"));
    h.link->setCaption(QStringLiteral("Our site"));
    EXPECT_EQ(h.link->LinkURL(), QStringLiteral("https://example.org/"));
    EXPECT_EQ(h.link->label()->text(), QStringLiteral("Our site"));
}

struct OpenCase {
    const char* name;
    const char* address;
    const char* opened;
};

class LinkOpenTest : public ::testing::TestWithParam<OpenCase> {};

TEST_P(LinkOpenTest, OpensMailMessageOrAddress) {
    LinkHarness h;
    h.link->setLinkURL(QString::fromUtf8(GetParam().address));
    h.click();
    EXPECT_EQ(h.opened, QStringList{QString::fromUtf8(GetParam().opened)});
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, LinkOpenTest,
    ::testing::Values(
        OpenCase{"mailtoAddress", "mailto:ann@example.org", "mailto:ann@example.org"},
        OpenCase{"bareMailAddress", "ann@example.org", "mailto:ann@example.org"},
        OpenCase{"upperCaseMailto", "MAILTO:ann@example.org", "mailto:ann@example.org"},
        OpenCase{"webAddress", "https://example.org/a?b=c", "https://example.org/a?b=c"},
        OpenCase{"hostOnly", "www.example.org", "http://www.example.org"},
        OpenCase{"atSignWithoutDot", "user@host", "http://user@host"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LinkTest, EmptyAddressOpensCaption) {
    LinkHarness h;
    h.link->InitProperties(QStringLiteral("www.example.org"));
    EXPECT_TRUE(h.link->LinkURL().isEmpty());
    h.click();
    EXPECT_EQ(h.link->LinkURL(), QStringLiteral("www.example.org"));
    EXPECT_EQ(h.opened, QStringList{QStringLiteral("http://www.example.org")});
}

TEST(LinkTest, OpeningTakesVisitedColour) {
    LinkHarness h;
    h.link->setLinkURL(QStringLiteral("https://example.org"));
    h.link->setCaption(QStringLiteral("Visit"));
    EXPECT_EQ(h.link->LinkActiveColor(), 0xC00000u);
    const QImage before = render(*h.link);
    EXPECT_FALSE(inkBox(before, 0xC00000, before.rect()).isEmpty())
        << "caption drawn in the active colour";
    h.click();
    EXPECT_EQ(h.link->LinkActiveColor(), 0x800080u);
    const QImage after = render(*h.link);
    EXPECT_FALSE(inkBox(after, 0x800080, after.rect()).isEmpty());
    EXPECT_TRUE(inkBox(after, 0xC00000, after.rect()).isEmpty());
}

TEST(LinkTest, CancelledNavigateNeitherOpensNorColours) {
    LinkHarness h;
    h.link->setLinkURL(QStringLiteral("https://example.org"));
    QObject::connect(h.link, &tkHLink::Navigate, [](bool& cancel) { cancel = true; });
    h.click();
    EXPECT_TRUE(h.opened.isEmpty());
    EXPECT_EQ(h.link->LinkActiveColor(), 0xC00000u);
}

TEST(LinkTest, SingleClickOffOnlyClicksButDoubleClickOpens) {
    LinkHarness h;
    h.link->setLinkURL(QStringLiteral("https://example.org"));
    h.link->setLinkSingleClickActivate(false);
    QSignalSpy clicks(h.link, &tkHLink::Click);
    QSignalSpy doubles(h.link, &tkHLink::DblClick);
    h.click();
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(h.opened.isEmpty());
    QTest::mouseDClick(h.link->label(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(h.link->label(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(h.opened.size(), 1);
}

TEST(LinkTest, DoubleClickWithSingleClickOnOpensTwice) {
    LinkHarness h;
    h.link->setLinkURL(QStringLiteral("https://example.org"));
    QSignalSpy clicks(h.link, &tkHLink::Click);
    int navigations = 0;
    QObject::connect(h.link, &tkHLink::Navigate, [&](bool& cancel) {
        EXPECT_FALSE(cancel);
        ++navigations;
    });
    h.doubleClick();
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(navigations, 2);
    EXPECT_EQ(h.opened.size(), 2);
}

TEST(LinkTest, RightClickDoesNotOpen) {
    LinkHarness h;
    h.link->setLinkURL(QStringLiteral("https://example.org"));
    QSignalSpy downs(h.link, &tkHLink::MouseDown);
    QTest::mouseClick(h.link->label(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(h.opened.isEmpty());
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs.at(0).at(0).value<short>(), 2);
}

TEST(LinkTest, MouseEventsOfLabelAreRaisedWithSameArguments) {
    LinkHarness h;
    QSignalSpy downs(h.link, &tkHLink::MouseDown);
    QSignalSpy ups(h.link, &tkHLink::MouseUp);
    QTest::mouseClick(h.link->label(), Qt::LeftButton, Qt::ShiftModifier, QPoint(12, 7));
    ASSERT_EQ(downs.count(), 1);
    EXPECT_EQ(downs.at(0).at(0).value<short>(), 1);
    EXPECT_EQ(downs.at(0).at(1).value<short>(), 1);
    EXPECT_EQ(downs.at(0).at(2).value<float>(), 12.0f);
    EXPECT_EQ(downs.at(0).at(3).value<float>(), 7.0f);
    EXPECT_EQ(ups.count(), 1);
}

TEST(LinkTest, AutoSizeFitsTextPlusBorderAllowance) {
    LinkHarness h;
    h.link->setCaption(QStringLiteral("A fairly long link text"));
    h.link->setAutoSize(true);
    const QSize text = h.link->label()->sizeHint();
    EXPECT_EQ(h.link->size(), text);
    h.link->setAutoSize(false);
    h.link->setBorderStyle(tkHLink::FixedSingle);
    h.link->setAutoSize(true);
    EXPECT_EQ(h.link->size(), text + QSize(7, 7)) << "100 twips at 15 twips per pixel";
}

TEST(LinkTest, ResizeMovesLabelOverControlAndRaisesResize) {
    LinkHarness h;
    QSignalSpy resized(h.link, &tkHLink::Resize);
    h.link->resize(150, 40);
    EXPECT_EQ(h.link->label()->geometry(), QRect(0, 0, 150, 40));
    EXPECT_EQ(resized.count(), 1);
}

TEST(LinkTest, EmptyBagGivesDocumentedDefaults) {
    LinkHarness h;
    h.link->setLinkVisitedColor(0x123456);
    h.link->setLinkSingleClickActivate(false);
    MemoryPropertyBag bag;
    h.link->ReadProperties(bag);
    EXPECT_EQ(h.link->BackColor(), 0x8000000Fu);
    EXPECT_TRUE(h.link->isEnabled());
    EXPECT_EQ(h.link->BackStyle(), 1);
    EXPECT_EQ(h.link->BorderStyle(), tkHLink::NoBorder);
    EXPECT_EQ(h.link->Alignment(), tkHLink::LeftJustify);
    EXPECT_FALSE(h.link->AutoSize());
    EXPECT_FALSE(h.link->Caption().isEmpty());
    EXPECT_EQ(h.link->LinkActiveColor(), 0xC00000u);
    EXPECT_EQ(h.link->LinkVisitedColor(), 0x800080u);
    EXPECT_FALSE(h.link->LinkUnderLined());
    EXPECT_TRUE(h.link->LinkSingleClickActivate());
    EXPECT_TRUE(h.link->LinkURL().isEmpty());
    EXPECT_EQ(h.link->Font().family(), h.host->font().family());
}

TEST(LinkTest, NonDefaultValuesRoundTripAndDefaultsAreLeftOut) {
    LinkHarness a;
    MemoryPropertyBag bag;
    a.link->WriteProperties(bag);
    EXPECT_EQ(bag.count(), 1) << "only the caption differs from its default: "
                              << bag.keys().join(',').toStdString();
    a.link->setBackColor(0x00FF00);
    a.link->setEnabled(false);
    a.link->setBorderStyle(tkHLink::FixedSingle);
    a.link->setAlignment(tkHLink::Center);
    a.link->setCaption(QStringLiteral("Mail us"));
    a.link->setLinkURL(QStringLiteral("mailto:ann@example.org"));
    a.link->setLinkActiveColor(0x0000FF);
    a.link->setLinkVisitedColor(0x00FFFF);
    a.link->setLinkUnderLined(true);
    a.link->setLinkSingleClickActivate(false);
    a.link->setAutoSize(true);
    MemoryPropertyBag full;
    a.link->WriteProperties(full);
    LinkHarness b;
    b.link->ReadProperties(full);
    EXPECT_EQ(b.link->BackColor(), 0x00FF00u);
    EXPECT_FALSE(b.link->isEnabled());
    EXPECT_EQ(b.link->BorderStyle(), tkHLink::FixedSingle);
    EXPECT_EQ(b.link->Alignment(), tkHLink::Center);
    EXPECT_EQ(b.link->Caption(), QStringLiteral("Mail us"));
    EXPECT_EQ(b.link->LinkURL(), QStringLiteral("mailto:ann@example.org"));
    EXPECT_EQ(b.link->LinkActiveColor(), 0x0000FFu);
    EXPECT_EQ(b.link->LinkVisitedColor(), 0x00FFFFu);
    EXPECT_TRUE(b.link->LinkUnderLined());
    EXPECT_FALSE(b.link->LinkSingleClickActivate());
    EXPECT_TRUE(b.link->AutoSize());
    EXPECT_EQ(b.link->size(), a.link->size());
}

TEST(LinkTest, InitPropertiesRaisesItsEvent) {
    LinkHarness h;
    QSignalSpy init(h.link, &tkHLink::InitPropertiesEvent);
    h.link->InitProperties(QStringLiteral("tkHLink1"));
    EXPECT_EQ(init.count(), 1);
    EXPECT_EQ(h.link->Caption(), QStringLiteral("tkHLink1"));
}

TEST(LinkTest, BadBagValueRaisesPropertyError) {
    LinkHarness h;
    MemoryPropertyBag bag;
    bag.WriteProperty(QStringLiteral("alignment"), 7);
    EXPECT_THROW(h.link->ReadProperties(bag), PropertyError);
}

} // namespace
