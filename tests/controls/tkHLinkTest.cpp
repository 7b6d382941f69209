#include "CaseNames.h"
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

void PrintTo(const OpenCase& c, std::ostream* os) {
    *os << c.name;
}

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
    CaseName());

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

struct ClickCase {
    const char* name;
    bool singleClickActivates;
    Qt::MouseButton button;
    bool twice; // a double click: the first click, then Qt Test's second press alone
    int clicks, doubleClicks, opens;
};

void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.name;
}

class LinkClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(LinkClickTest, ClickRulesDecideHowOftenTheLinkOpens) {
    const ClickCase& c = GetParam();
    LinkHarness h;
    h.link->setLinkURL(QStringLiteral("https://example.org"));
    h.link->setLinkSingleClickActivate(c.singleClickActivates);
    QSignalSpy clicks(h.link, &tkHLink::Click);
    QSignalSpy doubles(h.link, &tkHLink::DblClick);
    QObject::connect(h.link, &tkHLink::Navigate, [](bool& cancel) { EXPECT_FALSE(cancel); });
    QTest::mouseClick(h.link->label(), c.button, Qt::NoModifier, QPoint(5, 5));
    if (c.twice) {
        QTest::mouseDClick(h.link->label(), c.button, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseRelease(h.link->label(), c.button, Qt::NoModifier, QPoint(5, 5));
    }
    EXPECT_EQ(clicks.count(), c.clicks);
    EXPECT_EQ(doubles.count(), c.doubleClicks);
    EXPECT_EQ(h.opened.size(), c.opens);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, LinkClickTest,
    ::testing::Values(ClickCase{"singleClickOpens", true, Qt::LeftButton, false, 1, 0, 1},
                      ClickCase{"singleClickOffOnlyClicks", false, Qt::LeftButton, false, 1, 0, 0},
                      ClickCase{"doubleClickOpensTwice", true, Qt::LeftButton, true, 1, 1, 2},
                      ClickCase{"doubleClickOpensWithSingleClickOff", false, Qt::LeftButton, true,
                                1, 1, 1},
                      ClickCase{"rightClickNeverOpens", true, Qt::RightButton, false, 0, 0, 0}),
    CaseName());

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
    QTest::mouseClick(h.link->label(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    ASSERT_EQ(downs.count(), 2);
    EXPECT_EQ(downs.at(1).at(0).value<short>(), 2) << "the right button";
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

/// Each property with its default and another value.
struct LinkProp {
    const char* name;
    QVariant byDefault, other;
};

// clang-format off
const std::vector<LinkProp> kLinkProps = {
    {"BackColor", 0x8000000Fu, 0x00FF00u}, {"Enabled", true, false},
    {"BorderStyle", int(tkHLink::NoBorder), int(tkHLink::FixedSingle)},
    {"Alignment", int(tkHLink::LeftJustify), int(tkHLink::Center)},
    {"LinkURL", QString(), QStringLiteral("mailto:ann@example.org")},
    {"LinkActiveColor", 0xC00000u, 0x0000FFu}, {"LinkVisitedColor", 0x800080u, 0x00FFFFu},
    {"LinkUnderLined", false, true}, {"LinkSingleClickActivate", true, false},
    {"AutoSize", false, true}};
// clang-format on

TEST(LinkTest, EmptyBagGivesDocumentedDefaults) {
    LinkHarness h;
    for (const LinkProp& p : kLinkProps)
        h.link->setProperty(p.name, p.other);
    MemoryPropertyBag bag;
    h.link->ReadProperties(bag);
    for (const LinkProp& p : kLinkProps)
        expectProperty(*h.link, p.name, p.byDefault);
    EXPECT_EQ(h.link->BackStyle(), 1);
    EXPECT_FALSE(h.link->Caption().isEmpty());
    EXPECT_EQ(h.link->Font().family(), h.host->font().family());
}

TEST(LinkTest, NonDefaultValuesRoundTripAndDefaultsAreLeftOut) {
    LinkHarness a;
    MemoryPropertyBag bag;
    a.link->WriteProperties(bag);
    EXPECT_EQ(bag.count(), 1) << "only the caption differs from its default: "
                              << bag.keys().join(',').toStdString();
    a.link->setCaption(QStringLiteral("Mail us"));
    for (const LinkProp& p : kLinkProps)
        ASSERT_TRUE(a.link->setProperty(p.name, p.other)) << p.name;
    a.link->WriteProperties(bag);
    LinkHarness b;
    b.link->ReadProperties(bag);
    EXPECT_EQ(b.link->Caption(), QStringLiteral("Mail us"));
    for (const LinkProp& p : kLinkProps) {
        EXPECT_TRUE(bag.contains(QString::fromLatin1(p.name))) << p.name;
        expectProperty(*b.link, p.name, p.other);
    }
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
