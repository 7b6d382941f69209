#include "controls/designer/GlimmerDesignerCollection.h"

#include "controls/designer/GlimmerWidgetPlugin.h"
#include "controls/designer/tkHLinkTaskMenu.h"

#include <glimmer/L2M2.h>
#include <glimmer/chBut.h>
#include <glimmer/s2M2.h>
#include <glimmer/sGraph.h>
#include <glimmer/t1Cap.h>
#include <glimmer/t1Frame.h>
#include <glimmer/t1Grad.h>
#include <glimmer/tkHLink.h>

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

namespace glimmer {

namespace {

template <typename Control> std::function<QWidget*(QWidget*)> plain() {
    return [](QWidget* parent) { return new Control(parent); };
}

void registerLinkTaskMenu(QDesignerFormEditorInterface* core) {
    QExtensionManager* manager = core->extensionManager();
    manager->registerExtensions(new tkHLinkTaskMenuFactory(manager),
                                Q_TYPEID(QDesignerTaskMenuExtension));
}

} // namespace

GlimmerDesignerCollection::GlimmerDesignerCollection(QObject* parent) : QObject(parent) {
    const QList<ControlEntry> entries = {
        {"glimmer::chBut",
         "glimmer/chBut.h",
         "Push button",
         "A push button with fifteen looks, pictures and a latching mode.",
         "chBut.svg",
         QSize(90, 28),
         false,
         plain<chBut>(),
         {},
         {}},
        {"glimmer::tkHLink",
         "glimmer/tkHLink.h",
         "Hyperlink label",
         "A label that opens a web or mail address when clicked.",
         "tkHLink.svg",
         QSize(120, 20),
         false,
         plain<tkHLink>(),
         registerLinkTaskMenu,
         {}},
        {"glimmer::t1Frame",
         "glimmer/t1Frame.h",
         "Framed panel",
         "An etched frame with an optional title strip that groups other controls.",
         "t1Frame.svg",
         QSize(160, 100),
         true,
         plain<t1Frame>(),
         {},
         {}},
        {"glimmer::t1Cap",
         "glimmer/t1Cap.h",
         "Caption bar",
         "Word-wrapped text over a two-colour gradient or a see-through background.",
         "t1Cap.svg",
         QSize(160, 24),
         false,
         plain<t1Cap>(),
         {},
         {}},
        {"glimmer::t1Grad",
         "glimmer/t1Grad.h",
         "Gradient panel",
         "A panel filled with a two-colour gradient that holds other controls.",
         "t1Grad.svg",
         QSize(160, 100),
         true,
         plain<t1Grad>(),
         {},
         {}},
        {"glimmer::sGraph",
         "glimmer/sGraph.h",
         "Scrolling graph",
         "A line graph over a grid that scrolls as values are appended.",
         "sGraph.svg",
         QSize(120, 60),
         false,
         plain<sGraph>(),
         {},
         // The grid only: there is nothing to plot on a form being designed.
         [](QWidget* graph) { static_cast<sGraph*>(graph)->setDesignMode(true); }},
        {"glimmer::L2M2",
         "glimmer/L2M2.h",
         "LED meter",
         "A bar of LEDs that light in proportion to a value.",
         "L2M2.svg",
         QSize(95, 15),
         false,
         plain<L2M2>(),
         {},
         {}},
        {"glimmer::s2M2",
         "glimmer/s2M2.h",
         "Scale meter",
         "A horizontal scale with marks, numbers and a pointer.",
         "s2M2.svg",
         QSize(204, 40),
         false,
         plain<s2M2>(),
         {},
         {}},
    };
    for (const ControlEntry& entry : entries)
        m_widgets.append(new GlimmerWidgetPlugin(entry, this));
}

} // namespace glimmer
