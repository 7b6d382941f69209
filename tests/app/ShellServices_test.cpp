// Start-up and shell services: the values, the window placing, the filters and the help page.
#include "AppTestSupport.h"
#include "AppValues.h"
#include "FileDialogRequest.h"
#include "ScriptedPrompts.h"
#include "ShellServices.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

namespace notaro::app::test {
namespace {

using namespace std::string_literals;

TEST(ShellServices, CentersWithTheDocumentedArithmetic) {
    int left = 0, top = 0;
    centeredPosition(15360, 11520, 6000, 4000, left, top);
    EXPECT_EQ(left, 4680);
    EXPECT_EQ(top, 2820);
}

TEST(ShellServices, FilterStringsAndTheirQtForm) {
    const std::string midi = buildFilterString({"Midi Files", "*.mid", "All Files (*.*)", "*.*"});
    EXPECT_EQ(midi, "Midi Files\0*.mid\0All Files (*.*)\0*.*\0\0"s);
    EXPECT_EQ(buildFilterString({"All Files"}), "All Files\0*.*\0\0"s);
    EXPECT_EQ(buildFilterString({}), "");
    EXPECT_EQ(toQtFilters(midi), QStringList({"Midi Files (*.mid)", "All Files (*)"}));
    EXPECT_EQ(toQtFilters(""), QStringList({"All Files (*)"}));
}

TEST(ShellServices, HelpOpensThePageOrSaysItIsMissing) {
    testApp();
    QTemporaryDir dir;
    const QString page = dir.filePath("eOview.htm");
    ScriptedPrompts prompts;
    openHelpTopic(page, prompts, nullptr);
    EXPECT_EQ(prompts.texts(), QStringList({"The help topic is not available."}));
    EXPECT_TRUE(prompts.opened.empty());
    std::ofstream(page.toStdString()) << "<html></html>";
    openHelpTopic(page, prompts, nullptr);
    ASSERT_EQ(prompts.opened.size(), 1u);
    EXPECT_EQ(prompts.opened[0].toLocalFile(), page);
}

TEST(ShellServices, DataFoldersBesideTheProgramOrInstalled) {
    testApp();
    QTemporaryDir root;
    QDir(root.path()).mkpath("bin/samples");
    QDir(root.path()).mkpath("share/notaro/help");
    initAppValues(root.filePath("bin/"));
    EXPECT_EQ(appValues().appFolder, root.filePath("bin"));
    EXPECT_EQ(dataFolder("samples"), root.filePath("bin/samples"));
    EXPECT_EQ(dataFolder("help"), root.filePath("share/notaro/help"));
}

} // namespace
} // namespace notaro::app::test
