#pragma once

#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

class QAction;

namespace glimmer {

class tkHLink;

/// The hyperlink label's entry in Designer's context menu: "Miscellaneous..." opens the
/// label's property page and records what it changes in the form.
class tkHLinkTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    tkHLinkTaskMenu(tkHLink* link, QObject* parent);

    QAction* preferredEditAction() const override;
    QList<QAction*> taskActions() const override;

    /// Opens the page for the label; returns true when it was applied.
    bool editLink();

private:
    tkHLink* m_link;
    QAction* m_edit;
};

/// Gives every hyperlink label on a form its task menu.
class tkHLinkTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT

public:
    explicit tkHLinkTaskMenuFactory(QExtensionManager* parent = nullptr);

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

} // namespace glimmer
