#include "CaptionLayout.h"
#include "ButtonPainter.h"
#include "CaseNames.h"
#include "QtTestEnvironment.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace glimmer;

namespace {

struct KeyCase {
    const char* caption;
    QChar expected;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << '"' << c.caption << '"';
}

/// The caption itself names the case, each '&' spelled out since the marks are what it is about.
std::string keyCaseName(const ::testing::TestParamInfo<KeyCase>& info) {
    std::string name;
    for (const char* p = info.param.caption; *p; ++p)
        name += *p == '&' ? std::string("Amp") : std::string(1, *p);
    return test::testName(name);
}

class AccessKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(AccessKeyTest, TakesCharacterAfterFirstSingleAmpersandInLowerCase) {
    EXPECT_EQ(CaptionLayout::accessKey(QString::fromUtf8(GetParam().caption)), GetParam().expected)
        << GetParam().caption;
}

INSTANTIATE_TEST_SUITE_P(Cases, AccessKeyTest,
                         ::testing::Values(KeyCase{"&Save", QChar('s')},
                                           KeyCase{"Sa&ve", QChar('v')}, KeyCase{"&&Save", QChar()},
                                           KeyCase{"&&Save &As", QChar('a')},
                                           KeyCase{"Plain", QChar()}, KeyCase{"Trailing&", QChar()},
                                           KeyCase{"&1 two", QChar('1')}),
                         keyCaseName);

struct PositionCase {
    int position;
    const char* name;
};

void PrintTo(const PositionCase& c, std::ostream* os) {
    *os << c.name;
}

class PicturePlacementTest : public ::testing::TestWithParam<PositionCase> {};

TEST_P(PicturePlacementTest, PictureSitsBesideCaptionWithDocumentedGap) {
    const QSize client(120, 80);
    const QSize pic(16, 12);
    const CaptionLayout l = CaptionLayout::compute(client, test::fixedFont(), QStringLiteral("Go"),
                                                   pic, GetParam().position);
    ASSERT_FALSE(l.text.isEmpty());
    EXPECT_EQ(l.picture.size(), pic);
    switch (GetParam().position) {
    case 0:
        EXPECT_EQ(l.picture.right() + 1 + 4, l.text.left());
        EXPECT_EQ(l.picture.top(), (80 - 12) / 2);
        EXPECT_EQ(l.text.left(), (120 - l.text.width()) / 2);
        break;
    case 1:
        EXPECT_EQ(l.text.right() + 1 + 4, l.picture.left());
        EXPECT_EQ(l.text.left(), (120 - 16 - 4 - l.text.width()) / 2);
        break;
    case 2:
        EXPECT_EQ(l.picture.bottom() + 1 + 2, l.text.top());
        EXPECT_EQ(l.picture.left(), (120 - 16) / 2);
        EXPECT_EQ(l.text.top(), (80 - l.text.height()) / 2);
        break;
    case 3:
        EXPECT_EQ(l.text.bottom() + 1 + 2, l.picture.top());
        EXPECT_EQ(l.text.top(), (80 - 12 - 4 - l.text.height()) / 2);
        break;
    default:
        EXPECT_EQ(l.picture.topLeft(), QPoint((120 - 16) / 2, (80 - 12) / 2));
        EXPECT_EQ(l.text.left(), (120 - l.text.width()) / 2);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Positions, PicturePlacementTest,
                         ::testing::Values(PositionCase{0, "left"}, PositionCase{1, "right"},
                                           PositionCase{2, "top"}, PositionCase{3, "bottom"},
                                           PositionCase{4, "background"}),
                         test::CaseName());

} // namespace
