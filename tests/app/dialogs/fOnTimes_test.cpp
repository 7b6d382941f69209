#include "app/dialogs/fOnTimes.h"
#include "settings/OnRatios.h"
#include "tests/app/AppTestSupport.h"

#include <QLineEdit>

namespace notaro::app::test {
namespace {

/// The dialog shown and active over the default tables but the last normal ratio, and an empty
/// settings folder.
class fOnTimesTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        OnTimeRatios given;
        given.normal[8] = 0.5f;
        dialog = std::make_unique<fOnTimes>(prompts, given);
        QObject::connect(dialog.get(), &fOnTimes::applied,
                         [this](const OnTimeRatios& r) { applied.push_back(r); });
        ASSERT_TRUE(showActive(*dialog));
    }
    QLineEdit* box(const char* name) { return child<QLineEdit>(*dialog, name); }
    void click(const char* name) { QTest::mouseClick(child(*dialog, name), Qt::LeftButton); }
    static std::string focused() {
        const QWidget* w = QApplication::focusWidget();
        return w ? w->objectName().toStdString() : "(nothing)";
    }

    ScriptedPrompts prompts;
    std::unique_ptr<fOnTimes> dialog;
    std::vector<OnTimeRatios> applied;
};

TEST_F(fOnTimesTest, TabRunsByColumnsAndEnterRefusesTheFirstBadBoxOrAppliesAndSaves) {
    EXPECT_EQ(box("txtOnNorm8")->text(), "0.5");
    std::string visited = focused(), expected;
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited += ' ' + focused();
    }
    for (const char* column : {"txtOnNorm", "txtOnStacc"})
        for (char i = '0'; i <= '8'; ++i)
            expected += column + std::string(1, i) + ' ';
    EXPECT_EQ(visited, expected + "cmdOk cmdCancel cmdRestoreDefs");
    // The edits over the defaults, then the box that has the focus after Enter in txtOnNorm0.
    using Edits = std::vector<std::pair<const char*, const char*>>;
    const std::pair<Edits, const char*> cases[] = {
        {{{"txtOnStacc0", "0.09"}}, "txtOnStacc0"},
        {{{"txtOnNorm5", "1.01"}}, "txtOnNorm5"},
        {{{"txtOnNorm8", "abc"}}, "txtOnNorm8"},
        {{{"txtOnNorm1", "abc"}, {"txtOnStacc0", "0"}}, "txtOnStacc0"}, // row by row
        {{{"txtOnStacc2", "abc"}, {"txtOnNorm2", "5"}}, "txtOnNorm2"},
        {{{"txtOnNorm0", "0.1"}, {"txtOnNorm4", " +1.0e0 "}, {"txtOnStacc8", "1"}}, "txtOnNorm0"}};
    for (const auto& [edits, focus] : cases) {
        EXPECT_TRUE(applied.empty()) << focus;
        click("cmdRestoreDefs");
        for (const auto& [name, text] : edits)
            box(name)->setText(QLatin1String(text));
        box("txtOnNorm0")->setFocus();
        QTest::keyClick(box("txtOnNorm0"), Qt::Key_Return);
        EXPECT_EQ(focused(), focus);
    }
    EXPECT_EQ(prompts.beeps, int(std::size(cases)) - 1);
    EXPECT_TRUE(dialog->isVisible());
    const std::string saved = readFile(paraIniPath());
    EXPECT_NE(saved.find("Normal=0.1, 0.92, 0.9, 0.95, 1, 0.92,"), std::string::npos);
    // Restore Defaults fills only the boxes: Cancel keeps what the last OK stored.
    click("cmdRestoreDefs");
    click("cmdCancel");
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].normal[0], 0.1f);
    EXPECT_EQ(readFile(paraIniPath()), saved);
}

} // namespace
} // namespace notaro::app::test
