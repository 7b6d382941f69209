#pragma once

#include "midi/OnTimeRatios.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace notaro::app {

class UserPrompts;

/// The Note On-Time dialog: edits the two on-time ratio tables in eighteen text boxes, one per
/// note value and play style. The boxes are a working copy of the tables it was given: OK checks
/// them all, hands them to the owner through applied() and writes para.ini, and stays open, so
/// it works as apply-and-save; Cancel or the close box leave without touching what OK applied
/// last.
class fOnTimes : public QDialog {
    Q_OBJECT

public:
    /// @param prompts where the beep and the failure message go
    /// @param current the tables the boxes start with
    /// @param parent the main window, whose icon the dialog takes
    fOnTimes(UserPrompts& prompts, const OnTimeRatios& current, QWidget* parent = nullptr);

signals:
    /// OK found every box valid: the owner's new tables, already being saved to para.ini.
    void applied(const OnTimeRatios& ratios);

private:
    /// Checks the boxes in the order normal 0, staccato 0, normal 1, ...: each must hold a
    /// number whose 32-bit float value lies within 0.1 to 1.0. The first failing box gets the
    /// focus with its text selected, ready to be typed over.
    /// @return true when every box passed; ratios then holds the values
    bool validate(OnTimeRatios& ratios);
    /// Writes the shortest decimal text of every entry into the boxes.
    void fillBoxes(const OnTimeRatios& ratios);
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
