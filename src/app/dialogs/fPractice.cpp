#include "app/dialogs/fPractice.h"

#include "app/shell/ShellServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace notaro::app {

namespace {

QSpinBox* spinBox(QWidget* parent, const char* name, int lowest, int highest, int value,
                  const QString& suffix = QString()) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(lowest, highest);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

} // namespace

fPractice::fPractice(const PracticeSettings& current, QWidget* parent)
    : QDialog(parent), given_(current) {
    using P = PracticeSettings;
    setObjectName(QStringLiteral("fPractice"));
    setWindowTitle(QStringLiteral("Practice Settings"));
    setModal(true);

    cmbCountIn_ = new QComboBox(this);
    cmbCountIn_->setObjectName(QStringLiteral("cmbCountIn"));
    cmbCountIn_->addItems(
        {QStringLiteral("None"), QStringLiteral("1 bar"), QStringLiteral("2 bars")});
    cmbCountIn_->setCurrentIndex(current.countInBars);
    chkClick_ = new QCheckBox(QStringLiteral("C&lick on every beat while playing"), this);
    chkClick_->setObjectName(QStringLiteral("chkClick"));
    chkClick_->setChecked(current.click);
    spnBeats_ = spinBox(this, "spnBeats", 1, P::kMaxBeatsPerBar, current.beatsPerBar);
    auto* beats = new QFormLayout;
    beats->addRow(QStringLiteral("&Count-in:"), cmbCountIn_);
    beats->addRow(QStringLiteral("&Beats per bar:"), spnBeats_);
    beats->addRow(chkClick_);

    grpRamp_ = new QGroupBox(QStringLiteral("&Raise the tempo after each pass of a loop"), this);
    grpRamp_->setObjectName(QStringLiteral("grpRamp"));
    grpRamp_->setCheckable(true);
    grpRamp_->setChecked(current.ramp);
    const QString percent = QStringLiteral(" %");
    spnRampStart_ = spinBox(grpRamp_, "spnRampStart", P::kMinTempoPercent, P::kMaxTempoPercent,
                            current.rampStartPercent, percent);
    spnRampStep_ = spinBox(grpRamp_, "spnRampStep", 1, P::kMaxRampStepPercent,
                           current.rampStepPercent, percent);
    spnRampCeiling_ = spinBox(grpRamp_, "spnRampCeiling", current.rampStartPercent,
                              P::kMaxTempoPercent, current.rampCeilingPercent, percent);
    connect(spnRampStart_, &QSpinBox::valueChanged, spnRampCeiling_, &QSpinBox::setMinimum);
    auto* ramp = new QFormLayout(grpRamp_);
    ramp->addRow(QStringLiteral("&Start at:"), spnRampStart_);
    ramp->addRow(QStringLiteral("&Add each pass:"), spnRampStep_);
    ramp->addRow(QStringLiteral("&Up to:"), spnRampCeiling_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(beats);
    layout->addWidget(grpRamp_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (parent)
        setWindowIcon(parent->window()->windowIcon());
    cmbCountIn_->setFocus();
    centerFormOnScreen(*this);
}

PracticeSettings fPractice::settings() const {
    PracticeSettings s = given_;
    s.countInBars = cmbCountIn_->currentIndex();
    s.click = chkClick_->isChecked();
    s.beatsPerBar = spnBeats_->value();
    s.ramp = grpRamp_->isChecked();
    s.rampStartPercent = spnRampStart_->value();
    s.rampStepPercent = spnRampStep_->value();
    s.rampCeilingPercent = spnRampCeiling_->value();
    return s;
}

} // namespace notaro::app
