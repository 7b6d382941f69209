#include "controls/designer/GlimmerWidgetPlugin.h"

#include <QIcon>

namespace glimmer {

GlimmerWidgetPlugin::GlimmerWidgetPlugin(ControlEntry entry, QObject* parent)
    : QObject(parent), m_entry(std::move(entry)) {}

QIcon GlimmerWidgetPlugin::icon() const {
    // Drawn from the SVG at fixed sizes: Designer's widget box takes an icon without any
    // listed size (as a scalable one is) for a missing one and shows its own instead.
    const QIcon drawing(QStringLiteral(":/glimmer/designer/") + m_entry.iconName);
    QIcon icon;
    for (int side : {16, 22, 32})
        icon.addPixmap(drawing.pixmap(side, side));
    return icon;
}

QWidget* GlimmerWidgetPlugin::createWidget(QWidget* parent) {
    QWidget* widget = m_entry.create(parent);
    if (m_initialized && m_entry.enterDesignMode)
        m_entry.enterDesignMode(widget);
    return widget;
}

void GlimmerWidgetPlugin::initialize(QDesignerFormEditorInterface* core) {
    if (m_initialized)
        return;
    if (m_entry.initialize)
        m_entry.initialize(core);
    m_initialized = true;
}

QString GlimmerWidgetPlugin::domXml() const {
    // The object name Designer proposes is the class name without its namespace ("chBut1"…).
    const QString shortName = m_entry.className.section(QStringLiteral("::"), -1);
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
                          "  </property>\n"
                          " </widget>\n"
                          "</ui>\n")
        .arg(m_entry.className, shortName)
        .arg(m_entry.defaultSize.width())
        .arg(m_entry.defaultSize.height());
}

} // namespace glimmer
