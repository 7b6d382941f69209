#include "ButtonPainter.h"
#include "CaptionLayout.h"
#include "CaseNames.h"
#include "QtTestEnvironment.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

using namespace glimmer;

namespace {

TEST(CaptionLayoutTest, AccessKeyIsCharacterAfterFirstSingleAmpersandInLowerCase) {
    const std::pair<const char*, QChar> cases[] = {
        {"&Save", QChar('s')},      {"Sa&ve", QChar('v')}, {"&&Save", QChar()},
        {"&&Save &As", QChar('a')}, {"Plain", QChar()},    {"Trailing&", QChar()},
        {"&1 two", QChar('1')}};
    for (const auto& [caption, key] : cases)
        EXPECT_EQ(CaptionLayout::accessKey(QString::fromUtf8(caption)), key) << caption;
}

struct PositionCase {
    int position;
    const char* name;
};

void PrintTo(const PositionCase& c, std::ostream* os) {
    *os << c.name;
}

class PicturePlacementTest : public ::testing::TestWithParam<PositionCase> {};

TEST_P(PicturePlacementTest, PictureSitsFourPixelsBesideOrTwoAboveOrBelowCaption) {
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
