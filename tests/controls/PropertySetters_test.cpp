#include "CaseNames.h"
#include "QtTestEnvironment.h"

#include <glimmer/chBut.h>
#include <glimmer/t1Frame.h>
#include <glimmer/tkHLink.h>

#include <gtest/gtest.h>
#include <memory>

using namespace glimmer;

namespace {

/// A value outside a range-checked property's range, written as a host writes it.
struct RefusedCase {
    const char* name;
    const char* control;
    const char* property;
    int value;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

std::unique_ptr<QWidget> create(const std::string& control) {
    if (control == "chBut")
        return std::make_unique<chBut>();
    if (control == "t1Frame")
        return std::make_unique<t1Frame>();
    return std::make_unique<tkHLink>();
}

QStringList warnings;

void collect(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg)
        warnings << text;
}

class RefusedValueTest : public ::testing::TestWithParam<RefusedCase> {};

// Designer and QUiLoader write through QObject::setProperty: no exception may cross Qt's code.
TEST_P(RefusedValueTest, SetPropertyKeepsValueAndWarnsWithoutThrowing) {
    const RefusedCase& c = GetParam();
    const auto control = create(c.control);
    const QVariant before = control->property(c.property);
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    EXPECT_NO_THROW(control->setProperty(c.property, c.value));
    qInstallMessageHandler(previous);
    EXPECT_EQ(control->property(c.property), before);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.at(0).contains(QString::fromLatin1(c.property)))
        << warnings.at(0).toStdString();
    EXPECT_TRUE(warnings.at(0).contains(QString::number(c.value))) << warnings.at(0).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, RefusedValueTest,
    ::testing::Values(RefusedCase{"buttonTypeZero", "chBut", "ButtonType", 0},
                      RefusedCase{"buttonTypeSeven", "chBut", "ButtonType", 7},
                      RefusedCase{"colorSchemeFive", "chBut", "ColorScheme", 5},
                      RefusedCase{"picturePositionFive", "chBut", "PicturePosition", 5},
                      RefusedCase{"specialEffectMinusOne", "chBut", "SpecialEffect", -1},
                      RefusedCase{"fontSizeZero", "chBut", "FontSize", 0},
                      RefusedCase{"frameHAlignThree", "t1Frame", "HAlign", 3},
                      RefusedCase{"frameVAlignMinusOne", "t1Frame", "vAlign", -1},
                      RefusedCase{"frameBackStyleTwo", "t1Frame", "BackStyle", 2},
                      RefusedCase{"linkBorderStyleTwo", "tkHLink", "BorderStyle", 2},
                      RefusedCase{"linkAlignmentThree", "tkHLink", "Alignment", 3}),
    test::CaseName());

} // namespace
