#include "app/dialogs/TransposeDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace notaro::app {

namespace {

/// Two radio buttons side by side, the first chosen; returns the second.
QRadioButton* addChoice(QFormLayout& form, const QString& label, const QString& first,
                        const QString& second, const char* secondName) {
    auto* row = new QHBoxLayout;
    auto* a = new QRadioButton(first);
    auto* b = new QRadioButton(second);
    b->setObjectName(QString::fromLatin1(secondName));
    a->setChecked(true);
    // Each row is a group of its own: one choice per row.
    auto* group = new QButtonGroup(a);
    group->addButton(a);
    group->addButton(b);
    row->addWidget(a);
    row->addWidget(b);
    row->addStretch();
    form.addRow(label, row);
    return b;
}

} // namespace

TransposeDialog::TransposeDialog(bool selection, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fTranspose"));
    setWindowTitle(QStringLiteral("Transpose"));
    setModal(true);
    if (parent)
        setWindowIcon(parent->window()->windowIcon());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(selection ? QStringLiteral("Moves the notes of the selection.")
                                           : QStringLiteral("Moves every note of the score.")));
    auto* form = new QFormLayout;
    steps_ = new QSpinBox;
    steps_->setObjectName(QStringLiteral("spnSteps"));
    steps_->setRange(-TransposeRequest::kMaxSteps, TransposeRequest::kMaxSteps);
    auto* stepsLabel = new QLabel(QStringLiteral("&Move by:"));
    stepsLabel->setBuddy(steps_);
    form->addRow(stepsLabel, steps_);
    quarterTones_ = addChoice(*form, QStringLiteral("Steps:"), QStringLiteral("S&emitones"),
                              QStringLiteral("&Quarter tones"), "optQuarterTones");
    flats_ = addChoice(*form, QStringLiteral("Write:"), QStringLiteral("&Sharps"),
                       QStringLiteral("&Flats"), "optFlats");
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    steps_->setFocus();
    steps_->selectAll();
}

TransposeRequest TransposeDialog::request() const {
    TransposeRequest request;
    request.steps = steps_->value();
    request.quarterTones = quarterTones_->isChecked();
    request.flats = flats_->isChecked();
    return request;
}

std::optional<TransposeRequest> TransposeDialog::ask(QWidget* parent, bool selection) {
    TransposeDialog dialog(selection, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.request();
}

} // namespace notaro::app
