#pragma once

#include "settings/PracticeSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QSpinBox;

namespace notaro::app {

/// The Practice Settings dialog: the count-in, the click and its bar, and the tempo ramp of a
/// loop. The boxes cannot hold a value out of range: the ceiling follows the start upwards.
class fPractice : public QDialog {
    Q_OBJECT

public:
    /// @param current the settings the boxes start with
    /// @param parent the main window, whose icon the dialog takes
    explicit fPractice(const PracticeSettings& current, QWidget* parent = nullptr);

    /// The settings given, with the values of the boxes in place of theirs.
    PracticeSettings settings() const;

private:
    PracticeSettings given_;
    QComboBox* cmbCountIn_ = nullptr;
    QCheckBox* chkClick_ = nullptr;
    QSpinBox* spnBeats_ = nullptr;
    QGroupBox* grpRamp_ = nullptr;
    QSpinBox* spnRampStart_ = nullptr;
    QSpinBox* spnRampStep_ = nullptr;
    QSpinBox* spnRampCeiling_ = nullptr;
};

} // namespace notaro::app
