#include "AppTestSupport.h"
#include "AppValues.h"
#include "ScriptedPrompts.h"
#include "fAbout.h"
#include "fExamples.h"

#include <glimmer/tkHLink.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

namespace notaro::app {
namespace {

/// Both boxes over a program folder that holds "help" and "samples".
class AboutExamplesTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::testApp();
        QDir(folder.path()).mkpath(QStringLiteral("help"));
        QDir(folder.path()).mkpath(QStringLiteral("samples"));
        initAppValues(folder.path());
    }
    std::unique_ptr<QDialog> open(bool about) {
        std::unique_ptr<QDialog> d(about ? static_cast<QDialog*>(new fAbout(prompts, nullptr))
                                         : new fExamples(prompts, nullptr));
        d->show();
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
        return d;
    }

    QTemporaryDir folder;
    test::ScriptedPrompts prompts;
};

TEST_F(AboutExamplesTest, TextsAndLinksOpenedThroughThePrompts) {
    const auto about = open(true), examples = open(false);
    EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
              QStringLiteral("Version 1.4 -- 15/09/2006"));
    EXPECT_EQ(examples->findChild<glimmer::tkHLink*>()->Caption(), folder.path() + "/samples");
    for (const char* link : {"hlnkWeb", "hlnkSamples", "hlnkCli"})
        QTest::mouseClick(about->findChild<glimmer::tkHLink*>(link)->label(), Qt::LeftButton);
    QTest::mouseClick(examples->findChild<glimmer::tkHLink*>()->label(), Qt::LeftButton);
    QString opened;
    for (const QUrl& url : prompts.opened)
        opened += url.toString() + ' ';
    const QString help = QUrl::fromLocalFile(folder.path() + "/help/eOview.htm").toString(),
                  samples = QUrl::fromLocalFile(folder.path() + "/samples").toString();
    EXPECT_EQ(opened.toStdString(),
              QStringList({help, samples, help + "#cli", samples, ""}).join(' ').toStdString());
}

TEST_F(AboutExamplesTest, EnterEscapeAndTheCloseButtonCloseBothBoxes) {
    for (const auto key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space}) // Space: the button
        for (const bool about : {true, false}) {
            const auto d = open(about);
            QTest::keyClick(QApplication::focusWidget(), key);
            EXPECT_FALSE(d->isVisible()) << key << (about ? " About" : " Examples");
        }
}

} // namespace
} // namespace notaro::app
