#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <functional>

namespace glimmer {

/// What Qt Designer needs to know about one control of the library.
struct ControlEntry {
    QString className; ///< with its namespace, as the meta-object names it
    QString includeFile;
    QString toolTip;
    QString whatsThis;
    QString iconName; ///< file name in the plugin's icon resources
    QSize defaultSize;
    bool container = false;
    std::function<QWidget*(QWidget*)> create;
    /// Run once when Designer starts the plugin (registers extensions); may be empty.
    std::function<void(QDesignerFormEditorInterface*)> initialize;
    /// Puts a control Designer placed into design mode; empty for controls without one.
    std::function<void(QWidget*)> enterDesignMode;
};

/// Makes one control placeable in Qt Designer: its entry in the widget box of the group
/// "Glimmer", its icon, its default size, and the widget itself: in design mode once Designer
/// initialised the plugin. QUiLoader never does, so the forms it loads run as they would in
/// the program.
class GlimmerWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    GlimmerWidgetPlugin(ControlEntry entry, QObject* parent);

    QString name() const override { return m_entry.className; }
    QString group() const override { return QStringLiteral("Glimmer"); }
    QString toolTip() const override { return m_entry.toolTip; }
    QString whatsThis() const override { return m_entry.whatsThis; }
    QString includeFile() const override { return m_entry.includeFile; }
    QIcon icon() const override;
    bool isContainer() const override { return m_entry.container; }
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override { return m_initialized; }
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

private:
    ControlEntry m_entry;
    bool m_initialized = false;
};

} // namespace glimmer
