#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

class QPlainTextEdit;

namespace notaro::app {

/// Stops the blinking of an editor's caret after kRest without a key or a click, as desktop
/// editors do, so that a window nobody touches does no work; the next key or click in the
/// editor brings the blinking back. The caret stays shown while it rests.
///
/// The blinking follows the application's cursor flash time, which the editor reads when it
/// gains focus: resting sets it to 0 and tells the editor so; waking restores it.
class CaretRest : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kRest{10000};

    /// Watches editor; the object is the editor's child.
    explicit CaretRest(QPlainTextEdit& editor);
    ~CaretRest() override;

    bool resting() const { return resting_; }
    /// The single-shot timer that starts the rest (tests fire it).
    QTimer& timer() { return rest_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rest();
    void wake();
    /// Lets the editor read the flash time again, as when it gains focus.
    void restartBlinking();

    QPlainTextEdit& editor_;
    QTimer rest_;
    int flashTime_ = 0;
    bool resting_ = false;
    bool restarting_ = false;
};

} // namespace notaro::app
