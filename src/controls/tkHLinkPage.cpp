#include <glimmer/tkHLinkPage.h>

#include <glimmer/tkHLink.h>

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>

namespace glimmer {

tkHLinkPage::tkHLinkPage(QWidget* parent)
    : QWidget(parent), m_url(new QLineEdit(this)), m_caption(new QLineEdit(this)),
      m_single(new QCheckBox(QStringLiteral("Single click activates"), this)),
      m_underlined(new QCheckBox(QStringLiteral("Underlined"), this)),
      m_autoSize(new QCheckBox(QStringLiteral("Auto size"), this)),
      m_enabled(new QCheckBox(QStringLiteral("Enabled"), this)) {
    setWindowTitle(caption());
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Link URL:"), m_url);
    form->addRow(QStringLiteral("Caption:"), m_caption);
    form->addRow(m_single);
    form->addRow(m_underlined);
    form->addRow(m_autoSize);
    form->addRow(m_enabled);
    // Only the user's edits mark the page; filling it from a control does not.
    connect(m_url, &QLineEdit::textEdited, this, &tkHLinkPage::markChanged);
    connect(m_caption, &QLineEdit::textEdited, this, &tkHLinkPage::markChanged);
    for (QCheckBox* box : {m_single, m_underlined, m_autoSize, m_enabled})
        connect(box, &QCheckBox::clicked, this, &tkHLinkPage::markChanged);
}

void tkHLinkPage::markChanged() {
    m_changed = true;
    emit changed();
}

void tkHLinkPage::setSelectedControls(const QList<tkHLink*>& controls) {
    m_controls = controls;
    m_changed = false;
    if (controls.isEmpty())
        return;
    const tkHLink* c = controls.first();
    m_url->setText(c->LinkURL());
    m_caption->setText(c->Caption());
    m_single->setChecked(c->LinkSingleClickActivate());
    m_underlined->setChecked(c->LinkUnderLined());
    m_autoSize->setChecked(c->AutoSize());
    m_enabled->setChecked(c->isEnabled());
}

void tkHLinkPage::apply() {
    if (m_controls.isEmpty())
        return;
    tkHLink* c = m_controls.first();
    c->setLinkURL(m_url->text());
    c->setLinkSingleClickActivate(m_single->isChecked());
    c->setLinkUnderLined(m_underlined->isChecked());
    c->setCaption(m_caption->text());
    c->setAutoSize(m_autoSize->isChecked());
    c->setEnabled(m_enabled->isChecked());
    m_changed = false;
}

} // namespace glimmer
