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
        std::unique_ptr<QDialog> d;
        if (about)
            d = std::make_unique<fAbout>(prompts, nullptr);
        else
            d = std::make_unique<fExamples>(prompts, nullptr);
        d->show();
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
        return d;
    }
    std::string url(const QString& path, const QString& fragment = {}) const {
        QUrl u = QUrl::fromLocalFile(folder.path() + path);
        u.setFragment(fragment.isEmpty() ? QString() : fragment);
        return u.toString().toStdString();
    }
    static QString text(QDialog& d, const char* label) {
        return d.findChild<QLabel*>(QLatin1String(label))->text();
    }

    QTemporaryDir folder;
    test::ScriptedPrompts prompts;
};

TEST_F(AboutExamplesTest, TextsAndLinksOpenedThroughThePrompts) {
    const auto about = open(true), examples = open(false);
    EXPECT_EQ(text(*about, "lblVersion"), QStringLiteral("Version 1.4 -- 15/09/2006"));
    EXPECT_EQ(
        text(*examples, "lblInfo"),
        QStringLiteral("An updated list of music examples in Notaro language can be found at:"));
    EXPECT_EQ(examples->findChild<glimmer::tkHLink*>()->Caption(), folder.path() + "/samples");
    const struct {
        QDialog* box;
        const char* link;
        std::string target;
    } links[] = {{about.get(), "hlnkWeb", url("/help/eOview.htm")},
                 {about.get(), "hlnkSamples", url("/samples")},
                 {about.get(), "hlnkCli", url("/help/eOview.htm", "cli")},
                 {examples.get(), "hLnkEx", url("/samples")}};
    for (const auto& l : links) {
        QTest::mouseClick(l.box->findChild<glimmer::tkHLink*>(l.link)->label(), Qt::LeftButton);
        ASSERT_FALSE(prompts.opened.empty()) << l.link;
        EXPECT_EQ(prompts.opened.back().toString().toStdString(), l.target) << l.link;
        prompts.opened.clear();
    }
}

TEST_F(AboutExamplesTest, EnterEscapeAndTheCloseButtonCloseBothBoxes) {
    for (const int key : {int(Qt::Key_Return), int(Qt::Key_Escape), 0}) {
        for (const bool about : {true, false}) {
            const auto d = open(about);
            if (key)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            else
                QTest::mouseClick(d->findChild<QWidget*>(QStringLiteral("cmdClose")),
                                  Qt::LeftButton);
            EXPECT_FALSE(d->isVisible()) << key << (about ? " About" : " Examples");
        }
    }
}

} // namespace
} // namespace notaro::app
