#include <glimmer/AboutBox.h>

#include <gtest/gtest.h>

using namespace glimmer;

namespace {

TEST(AboutBoxTest, HasCaptionAndThreeLines) {
    AboutBox box;
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About "));
    const QStringList lines = box.lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(0), QStringLiteral("This ActiveX control is:"));
    EXPECT_TRUE(lines.at(2).contains(QLatin1Char('@'))) << "an e-mail address";
}

} // namespace
