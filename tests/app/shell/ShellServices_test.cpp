#include "app/dialogs/fAbout.h"
#include "app/dialogs/fExamples.h"
#include "app/shell/AppValues.h"
#include "app/shell/ShellServices.h"
#include "tests/app/AppTestSupport.h"

#include <glimmer/tkHLink.h>

#include <QDir>
#include <QLabel>

namespace notaro::app::test {
namespace {

using namespace std::string_literals;

TEST(ShellServices, CentresFiltersFindsTheDataFoldersAndOpensHelpAboutAndExamples) {
    int left = 0, top = 0;
    centeredPosition(15360, 11520, 6000, 4000, left, top);
    EXPECT_EQ(std::make_pair(left, top), std::make_pair(4680, 2820));
    const std::string midi = buildFilterString({"Midi Files", "*.mid", "All Files (*.*)", "*.*"});
    EXPECT_EQ(midi, "Midi Files\0*.mid\0All Files (*.*)\0*.*\0\0"s);
    EXPECT_EQ(buildFilterString({"All Files"}), "All Files\0*.*\0\0"s);
    EXPECT_EQ(toQtFilters(midi), QStringList({"Midi Files (*.mid)", "All Files (*)"}));
    EXPECT_EQ(toQtFilters(""), QStringList({"All Files (*)"}));

    testApp(); // the data folders lie beside the program, or installed under share/notaro
    QTemporaryDir root;
    QDir(root.path()).mkpath("bin/samples");
    QDir(root.path()).mkpath("share/notaro/help");
    initAppValues(root.filePath("bin/"));
    EXPECT_EQ(appValues().appFolder, root.filePath("bin"));
    EXPECT_EQ(dataFolder("samples"), root.filePath("bin/samples"));
    EXPECT_EQ(dataFolder("help"), root.filePath("share/notaro/help"));
    const QString page = root.filePath("eOview.htm");
    ScriptedPrompts prompts;
    openHelpTopic(page, prompts, nullptr);
    EXPECT_EQ(prompts.texts(), QStringList({"The help topic is not available."}));
    EXPECT_TRUE(QFile(page).open(QIODevice::WriteOnly));
    openHelpTopic(page, prompts, nullptr);
    const auto open = [&](bool about) {
        std::unique_ptr<QDialog> d(about ? static_cast<QDialog*>(new fAbout(prompts, nullptr))
                                         : new fExamples(prompts, nullptr));
        EXPECT_TRUE(showActive(*d));
        return d;
    };
    const auto about = open(true), examples = open(false);
    EXPECT_EQ(child<QLabel>(*about, "lblVersion")->text(), "Version 1.4 -- 15/09/2006");
    EXPECT_EQ(examples->findChild<glimmer::tkHLink*>()->Caption(), root.filePath("bin/samples"));
    for (const char* link : {"hlnkWeb", "hlnkSamples", "hlnkCli"})
        QTest::mouseClick(child<glimmer::tkHLink>(*about, link)->label(), Qt::LeftButton);
    QTest::mouseClick(examples->findChild<glimmer::tkHLink*>()->label(), Qt::LeftButton);
    const QString help =
                      QUrl::fromLocalFile(root.filePath("share/notaro/help/eOview.htm")).toString(),
                  samples = QUrl::fromLocalFile(root.filePath("bin/samples")).toString();
    EXPECT_EQ(prompts.opened, QStringList({QUrl::fromLocalFile(page).toString(), help, samples,
                                           help + "#cli", samples}));
    for (const auto key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space}) // Space: the button
        for (const bool isAbout : {true, false}) {
            const auto d = open(isAbout);
            QTest::keyClick(QApplication::focusWidget(), key);
            EXPECT_FALSE(d->isVisible()) << key << (isAbout ? " About" : " Examples");
        }
}

} // namespace
} // namespace notaro::app::test
