#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

namespace glimmer {

/// The library's Qt Designer plugin: the eight controls in the widget box group "Glimmer".
class GlimmerDesignerCollection : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit GlimmerDesignerCollection(QObject* parent = nullptr);

    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return m_widgets; }

private:
    QList<QDesignerCustomWidgetInterface*> m_widgets;
};

} // namespace glimmer
