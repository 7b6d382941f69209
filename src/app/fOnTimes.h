#pragma once

#include "settings/OnRatios.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace notaro::app {

class UserPrompts;

/// The Note On-Time dialog: edits the two on-time ratio tables in eighteen text boxes, one per
/// note value and play style. The boxes are a working copy: OK checks them all, stores them into
/// onRatioNormal/onRatioStaccato and writes para.ini, and stays open, so it works as
/// apply-and-save; Cancel or the close box leave without touching what OK stored last.
class fOnTimes : public QDialog {
    Q_OBJECT

public:
    /// @param prompts where the beep and the failure message go
    /// @param parent the main window, whose icon the dialog takes
    explicit fOnTimes(UserPrompts& prompts, QWidget* parent = nullptr);

private:
    /// Checks the boxes in the order normal 0, staccato 0, normal 1, ...: each must hold a
    /// number whose 32-bit float value lies within 0.1 to 1.0. The first failing box gets the
    /// focus with its text selected, ready to be typed over.
    /// @return true when every box passed; normal and staccato then hold the values
    bool validate(OnRatioTable& normal, OnRatioTable& staccato);
    /// Writes the shortest decimal text of every entry into the boxes.
    void fillBoxes(const OnRatioTable& normal, const OnRatioTable& staccato);
    void cmdOk_Click();
    void cmdRestoreDefs_Click();

    UserPrompts& m_prompts;
    std::array<QLineEdit*, 9> m_txtOnNorm{};
    std::array<QLineEdit*, 9> m_txtOnStacc{};
    QPushButton* m_cmdOk = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdRestoreDefs = nullptr;
};

} // namespace notaro::app
