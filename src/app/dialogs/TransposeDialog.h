#pragma once

#include "score/Transposition.h"

#include <QDialog>

#include <optional>

class QRadioButton;
class QSpinBox;

namespace notaro::app {

/// The Transpose dialog: how far to move the notes (-24..+24 semitones or quarter tones) and
/// whether black keys are written as sharps or flats.
class TransposeDialog : public QDialog {
    Q_OBJECT

public:
    /// @param selection whether a selection moves (else the whole score), for the wording
    explicit TransposeDialog(bool selection, QWidget* parent = nullptr);

    /// The choice as a request (its selection not set).
    TransposeRequest request() const;

    /// Runs the dialog modally. @return the choice, or none when it was cancelled
    static std::optional<TransposeRequest> ask(QWidget* parent, bool selection);

private:
    QSpinBox* steps_ = nullptr;
    QRadioButton* quarterTones_ = nullptr;
    QRadioButton* flats_ = nullptr;
};

} // namespace notaro::app
