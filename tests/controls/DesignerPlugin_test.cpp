#include <glimmer/L2M2.h>
#include <glimmer/chBut.h>
#include <glimmer/s2M2.h>
#include <glimmer/sGraph.h>
#include <glimmer/t1Cap.h>
#include <glimmer/t1Frame.h>
#include <glimmer/t1Grad.h>
#include <glimmer/tkHLink.h>

#include <QFile>
#include <QPluginLoader>
#include <QUiLoader>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

const QString PluginDir = QStringLiteral(GLIMMER_DESIGNER_PLUGIN_DIR);

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
    }
    const std::map<QString, bool> want = {{"glimmer::chBut", false},  {"glimmer::tkHLink", false},
                                          {"glimmer::t1Frame", true}, {"glimmer::t1Cap", false},
                                          {"glimmer::t1Grad", true},  {"glimmer::sGraph", false},
                                          {"glimmer::L2M2", false},   {"glimmer::s2M2", false}};
    EXPECT_EQ(containers, want);
}

TEST(DesignerPlugin, FormOfAllControlsLoadsWithItsValues) {
    QUiLoader ui;
    ui.addPluginPath(PluginDir);
    QFile form(QStringLiteral(GLIMMER_TEST_DATA_DIR "/AllControls.ui"));
    ASSERT_TRUE(form.open(QIODevice::ReadOnly));
    std::unique_ptr<QWidget> root(ui.load(&form));
    ASSERT_NE(root, nullptr) << ui.errorString().toStdString();
    auto* button = root->findChild<glimmer::chBut*>("button");
    auto* link = root->findChild<glimmer::tkHLink*>("link");
    auto* frame = root->findChild<glimmer::t1Frame*>("frame");
    auto* caption = root->findChild<glimmer::t1Cap*>("caption");
    auto* gradient = root->findChild<glimmer::t1Grad*>("gradient");
    auto* graph = root->findChild<glimmer::sGraph*>("graph");
    auto* leds = root->findChild<glimmer::L2M2*>("leds");
    auto* scale = root->findChild<glimmer::s2M2*>("scale");
    ASSERT_TRUE(button && link && frame && caption && gradient && graph && leds && scale);
    EXPECT_EQ(button->Caption(), "Play");
    EXPECT_EQ(link->LinkURL(), "https://example.org/");
    EXPECT_EQ(frame->Caption(), "Group");
    EXPECT_EQ(caption->HAlign(), glimmer::t1Cap::tc_Right);
    EXPECT_EQ(gradient->Appearance(), glimmer::t1Grad::Custom);
    EXPECT_EQ(gradient->FirstColor(), 255u);
    EXPECT_EQ(graph->GridVDist(), 7);
    EXPECT_EQ(leds->NumLEDs(), 8);
    EXPECT_EQ(scale->MajorDivisions(), 5);
}

} // namespace
