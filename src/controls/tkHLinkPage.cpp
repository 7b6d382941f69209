#include <glimmer/tkHLinkPage.h>

#include <glimmer/tkHLink.h>

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>

namespace glimmer {

struct GLIMMER_NO_EXPORT tkHLinkPage::Private {
    QLineEdit* url = nullptr; ///< the fields are children of the page
    QLineEdit* caption = nullptr;
    QCheckBox* single = nullptr;
    QCheckBox* underlined = nullptr;
    QCheckBox* autoSize = nullptr;
    QCheckBox* enabled = nullptr;
    QList<tkHLink*> controls;
    bool changed = false;
};

tkHLinkPage::tkHLinkPage(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>()) {
    d->url = new QLineEdit(this);
    d->caption = new QLineEdit(this);
    d->single = new QCheckBox(QStringLiteral("Single click activates"), this);
    d->underlined = new QCheckBox(QStringLiteral("Underlined"), this);
    d->autoSize = new QCheckBox(QStringLiteral("Auto size"), this);
    d->enabled = new QCheckBox(QStringLiteral("Enabled"), this);
    setWindowTitle(caption());
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Link URL:"), d->url);
    form->addRow(QStringLiteral("Caption:"), d->caption);
    form->addRow(d->single);
    form->addRow(d->underlined);
    form->addRow(d->autoSize);
    form->addRow(d->enabled);
    // Only the user's edits mark the page; filling it from a control does not.
    const auto markChanged = [this] {
        d->changed = true;
        emit changed();
    };
    connect(d->url, &QLineEdit::textEdited, this, markChanged);
    connect(d->caption, &QLineEdit::textEdited, this, markChanged);
    for (QCheckBox* box : {d->single, d->underlined, d->autoSize, d->enabled})
        connect(box, &QCheckBox::clicked, this, markChanged);
}

tkHLinkPage::~tkHLinkPage() = default;

bool tkHLinkPage::isChanged() const {
    return d->changed;
}

QLineEdit* tkHLinkPage::urlEdit() const {
    return d->url;
}

QLineEdit* tkHLinkPage::captionEdit() const {
    return d->caption;
}

QCheckBox* tkHLinkPage::singleClickBox() const {
    return d->single;
}

QCheckBox* tkHLinkPage::underlinedBox() const {
    return d->underlined;
}

QCheckBox* tkHLinkPage::autoSizeBox() const {
    return d->autoSize;
}

QCheckBox* tkHLinkPage::enabledBox() const {
    return d->enabled;
}

void tkHLinkPage::setSelectedControls(const QList<tkHLink*>& controls) {
    d->controls = controls;
    d->changed = false;
    if (controls.isEmpty())
        return;
    const tkHLink* c = controls.first();
    d->url->setText(c->LinkURL());
    d->caption->setText(c->Caption());
    d->single->setChecked(c->LinkSingleClickActivate());
    d->underlined->setChecked(c->LinkUnderLined());
    d->autoSize->setChecked(c->AutoSize());
    d->enabled->setChecked(c->isEnabled());
}

void tkHLinkPage::apply() {
    if (d->controls.isEmpty())
        return;
    tkHLink* c = d->controls.first();
    c->setLinkURL(d->url->text());
    c->setLinkSingleClickActivate(d->single->isChecked());
    c->setLinkUnderLined(d->underlined->isChecked());
    c->setCaption(d->caption->text());
    c->setAutoSize(d->autoSize->isChecked());
    c->setEnabled(d->enabled->isChecked());
    d->changed = false;
}

} // namespace glimmer
