#include "controls/designer/tkHLinkTaskMenu.h"

#include <glimmer/tkHLink.h>
#include <glimmer/tkHLinkPage.h>

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QVBoxLayout>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>

namespace glimmer {

tkHLinkTaskMenu::tkHLinkTaskMenu(tkHLink* link, QObject* parent)
    : QObject(parent), m_link(link),
      m_edit(new QAction(tkHLinkPage::caption() + QStringLiteral("..."), this)) {
    connect(m_edit, &QAction::triggered, this, &tkHLinkTaskMenu::editLink);
}

QAction* tkHLinkTaskMenu::preferredEditAction() const {
    return m_edit;
}

QList<QAction*> tkHLinkTaskMenu::taskActions() const {
    return {m_edit};
}

bool tkHLinkTaskMenu::editLink() {
    QDialog dialog(m_link->window());
    dialog.setWindowTitle(tkHLinkPage::caption());
    auto* page = new tkHLinkPage(&dialog);
    page->setSelectedControls({m_link});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(page);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || !page->isChanged())
        return false;
    page->apply();
    // Through the form's cursor, so the form is marked changed and the values are saved.
    if (QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(m_link)) {
        for (const char* name : {"LinkURL", "LinkSingleClickActivate", "LinkUnderLined", "Caption",
                                 "AutoSize", "Enabled"})
            form->cursor()->setProperty(QString::fromLatin1(name), m_link->property(name));
    }
    return true;
}

tkHLinkTaskMenuFactory::tkHLinkTaskMenuFactory(QExtensionManager* parent)
    : QExtensionFactory(parent) {}

QObject* tkHLinkTaskMenuFactory::createExtension(QObject* object, const QString& iid,
                                                 QObject* parent) const {
    auto* link = qobject_cast<tkHLink*>(object);
    if (!link || iid != Q_TYPEID(QDesignerTaskMenuExtension))
        return nullptr;
    return new tkHLinkTaskMenu(link, parent);
}

} // namespace glimmer
