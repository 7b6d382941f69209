#include "tests/controls/QtTestEnvironment.h"

#include <glimmer/sGraph.h>

#include <QAccessible>
#include <QFile>
#include <QPluginLoader>
#include <QUiLoader>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

namespace {

const QString PluginDir = QStringLiteral(GLIMMER_DESIGNER_PLUGIN_DIR);

std::unique_ptr<QWidget> loadForm() {
    QUiLoader ui;
    ui.addPluginPath(PluginDir);
    QFile form(QStringLiteral(GLIMMER_TEST_DATA_DIR "/AllControls.ui"));
    EXPECT_TRUE(form.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> root(ui.load(&form));
    EXPECT_NE(root, nullptr) << ui.errorString().toStdString();
    return root;
}

TEST(DesignerPlugin, ListsTheEightControlsAndCreatesThem) {
    QPluginLoader loader(PluginDir + QStringLiteral("/libglimmer_designer.so"));
    ASSERT_TRUE(loader.load()) << loader.errorString().toStdString();
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    ASSERT_NE(collection, nullptr);
    std::map<QString, bool> containers;
    QWidget host;
    for (QDesignerCustomWidgetInterface* w : collection->customWidgets()) {
        containers[w->name()] = w->isContainer();
        EXPECT_EQ(w->group(), "Glimmer");
        EXPECT_FALSE(w->icon().availableSizes().isEmpty()) << w->name().toStdString();
        EXPECT_FALSE(w->toolTip().isEmpty());
        EXPECT_TRUE(w->domXml().contains(QStringLiteral("class=\"") + w->name() + "\""));
        std::unique_ptr<QWidget> made(w->createWidget(&host));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->metaObject()->className(), w->name());
        // The shared library registered its accessible interfaces when the control was made.
        EXPECT_NE(QAccessible::queryAccessibleInterface(made.get())->role(), QAccessible::Client)
            << w->name().toStdString();
    }
    const std::map<QString, bool> want = {{"glimmer::chBut", false},  {"glimmer::tkHLink", false},
                                          {"glimmer::t1Frame", true}, {"glimmer::t1Cap", false},
                                          {"glimmer::t1Grad", true},  {"glimmer::sGraph", false},
                                          {"glimmer::L2M2", false},   {"glimmer::s2M2", false}};
    EXPECT_EQ(containers, want);
}

TEST(DesignerPlugin, FormOfAllControlsLoadsWithItsValues) {
    const std::unique_ptr<QWidget> root = loadForm();
    ASSERT_NE(root, nullptr);
    // One value of each kind the form sets: text, enumeration, colour and number.
    const std::tuple<const char*, const char*, const char*> values[] = {
        {"button", "Caption", "Play"},        {"link", "LinkURL", "https://example.org/"},
        {"frame", "Caption", "Group"},        {"caption", "HAlign", "tc_Right"},
        {"gradient", "Appearance", "Custom"}, {"gradient", "FirstColor", "255"},
        {"graph", "GridVDist", "7"},          {"leds", "NumLEDs", "8"},
        {"scale", "MajorDivisions", "5"}};
    for (const auto& [object, property, value] : values) {
        const QWidget* w = root->findChild<QWidget*>(object);
        ASSERT_NE(w, nullptr) << object;
        EXPECT_EQ(w->property(property).toString().toStdString(), value)
            << object << " " << property;
    }
}

// Design mode belongs to Designer, which initialises the plugin before it places a control;
// QUiLoader never does, so the graph of a loaded form plots.
TEST(DesignerPlugin, OnlyDesignerPutsTheGraphInDesignMode) {
    const std::unique_ptr<QWidget> root = loadForm();
    ASSERT_NE(root, nullptr);
    auto* graph = root->findChild<glimmer::sGraph*>(QStringLiteral("graph"));
    ASSERT_NE(graph, nullptr);
    root->show();
    for (int i = 0; i < graph->NPoints(); ++i)
        graph->appendPointVal(10);
    EXPECT_FALSE(graph->designMode());
    EXPECT_FALSE(
        glimmer::test::inkBox(glimmer::test::render(*graph), 0x0000E0, graph->rect()).isEmpty());

    QPluginLoader loader(PluginDir + QStringLiteral("/libglimmer_designer.so"));
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(loader.instance());
    ASSERT_NE(collection, nullptr);
    const QList<QDesignerCustomWidgetInterface*> widgets = collection->customWidgets();
    const auto entry = std::find_if(widgets.begin(), widgets.end(), [](auto* w) {
        return w->name() == QStringLiteral("glimmer::sGraph");
    });
    ASSERT_NE(entry, widgets.end());
    (*entry)->initialize(nullptr); // the graph's entry registers nothing with Designer's core
    const std::unique_ptr<QWidget> placed((*entry)->createWidget(nullptr));
    EXPECT_TRUE(static_cast<glimmer::sGraph*>(placed.get())->designMode());
}

} // namespace
