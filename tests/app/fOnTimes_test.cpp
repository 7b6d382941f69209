#include "AppTestSupport.h"
#include "ScriptedPrompts.h"
#include "fOnTimes.h"

#include "../settings/TempConfig.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace notaro::app {
namespace {

/// A shown, active dialog over the default tables and an empty settings folder.
class fOnTimesTest : public notaro::testing::TempConfig {
protected:
    void SetUp() override {
        TempConfig::SetUp();
        test::testApp();
        defaultOnRatios(onRatioNormal, onRatioStaccato);
        dialog = std::make_unique<fOnTimes>(prompts, nullptr);
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    QLineEdit* box(const char* name) { return dialog->findChild<QLineEdit*>(QLatin1String(name)); }
    void click(const char* name) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }
    static std::string focused() { return QApplication::focusWidget()->objectName().toStdString(); }
    std::string ini() const { return readFile(paraIniPath()); }

    test::ScriptedPrompts prompts;
    std::unique_ptr<fOnTimes> dialog;
};

TEST_F(fOnTimesTest, OkRefusesTheFirstBadBoxInCheckingOrderAndAcceptsTheBounds) {
    const struct {
        std::vector<std::pair<const char*, const char*>> edits;
        const char* refused; ///< the box that gets the focus; "" = all accepted
    } cases[] = {
        {{{"txtOnNorm0", "0.1"}, {"txtOnStacc8", "1"}, {"txtOnNorm4", " +1.0e0 "}}, ""},
        {{{"txtOnStacc0", "0.09"}}, "txtOnStacc0"},
        {{{"txtOnNorm5", "1.01"}}, "txtOnNorm5"},
        {{{"txtOnStacc4", ""}}, "txtOnStacc4"},
        {{{"txtOnNorm8", "abc"}}, "txtOnNorm8"},
        {{{"txtOnNorm1", "abc"}, {"txtOnStacc0", "0"}}, "txtOnStacc0"},
        {{{"txtOnNorm4", "x"}, {"txtOnStacc3", "2"}}, "txtOnStacc3"},
        {{{"txtOnStacc2", "abc"}, {"txtOnNorm2", "5"}}, "txtOnNorm2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refused);
        click("cmdRestoreDefs");
        for (const auto& [name, text] : c.edits)
            box(name)->setText(QLatin1String(text));
        const auto before = std::make_pair(onRatioNormal, onRatioStaccato);
        const int beeps = prompts.beeps;
        click("cmdOk");
        EXPECT_EQ(prompts.beeps, beeps + (*c.refused ? 1 : 0));
        if (*c.refused) {
            EXPECT_EQ(focused(), c.refused);
            EXPECT_TRUE(before == std::make_pair(onRatioNormal, onRatioStaccato));
        } else {
            EXPECT_EQ(onRatioNormal[0], 0.1f);
            EXPECT_EQ(onRatioNormal[4], 1.0f);
            EXPECT_EQ(onRatioStaccato[8], 1.0f);
        }
    }
}

TEST_F(fOnTimesTest, EnterAppliesAndSavesAndTheDialogStaysOpen) {
    EXPECT_EQ(box("txtOnNorm2")->text(), QStringLiteral("0.9"));
    box("txtOnStacc2")->setText(QStringLiteral("0.5"));
    QTest::keyClick(box("txtOnNorm0"), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(onRatioStaccato[2], 0.5f);
    EXPECT_NE(
        ini().find("[OnRatios]\r\nNormal=0.95, 0.92, 0.9, 0.95, 0.95, 0.92, 0.88, 0.8, 0.8\r\n"
                   "Staccato=0.35, 0.35, 0.5, 0.45, "),
        std::string::npos)
        << ini();
}

TEST_F(fOnTimesTest, RestoreDefaultsThenCancelKeepsWhatTheLastOkStored) {
    box("txtOnNorm2")->setText(QStringLiteral("0.5"));
    click("cmdOk");
    const std::string saved = ini();
    click("cmdRestoreDefs");
    EXPECT_EQ(box("txtOnNorm2")->text(), QStringLiteral("0.9"));
    click("cmdCancel");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(onRatioNormal[2], 0.5f);
    EXPECT_EQ(ini(), saved);
}

TEST_F(fOnTimesTest, TabRunsDownTheNormalColumnThenStaccatoThenTheButtons) {
    std::string visited = focused(), expected;
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited += ' ' + focused();
    }
    for (const char* column : {"txtOnNorm", "txtOnStacc"})
        for (char i = '0'; i <= '8'; ++i)
            expected += column + std::string(1, i) + ' ';
    EXPECT_EQ(visited, expected + "cmdOk cmdCancel cmdRestoreDefs");
}

} // namespace
} // namespace notaro::app
