#pragma once

#include <glimmer/glimmer_export.h>

#include <QWidget>

#include <memory>

namespace glimmer {

class PropertyBag;

/// A bar of LEDs that light in proportion to a value: a started LED lights, so any value above
/// the lower bound shows at least one. The control's width follows from the LEDs' geometry.
class GLIMMER_EXPORT L2M2 : public QWidget {
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 LedOffColor READ LedOffColor WRITE setLedOffColor)
    Q_PROPERTY(quint32 LedOnColor READ LedOnColor WRITE setLedOnColor)
    Q_PROPERTY(quint32 LedOffBorderColor READ LedOffBorderColor WRITE setLedOffBorderColor)
    Q_PROPERTY(quint32 LedOnBorderColor READ LedOnBorderColor WRITE setLedOnBorderColor)
    Q_PROPERTY(int LedInnerWidth READ LedInnerWidth WRITE setLedInnerWidth)
    Q_PROPERTY(int LedInterSpace READ LedInterSpace WRITE setLedInterSpace)
    Q_PROPERTY(int NumLEDs READ NumLEDs WRITE setNumLEDs)
    Q_PROPERTY(float Value READ Value WRITE setValue)
    Q_PROPERTY(float MaxJumpRatio READ MaxJumpRatio WRITE setMaxJumpRatio)
    Q_PROPERTY(float MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(float MaxValue READ MaxValue WRITE setMaxValue)

public:
    explicit L2M2(QWidget* parent = nullptr);
    ~L2M2() override;

    quint32 BackColor() const;
    void setBackColor(quint32 value);
    quint32 LedOffColor() const;
    void setLedOffColor(quint32 value);
    quint32 LedOnColor() const;
    void setLedOnColor(quint32 value);
    quint32 LedOffBorderColor() const;
    void setLedOffBorderColor(quint32 value);
    quint32 LedOnBorderColor() const;
    void setLedOnBorderColor(quint32 value);
    /// Inside width of one LED in pixels (at least 0).
    int LedInnerWidth() const;
    void setLedInnerWidth(int value);
    /// Pixels between two LEDs (at least −1: neighbours then share their border).
    int LedInterSpace() const;
    void setLedInterSpace(int value);
    /// Number of LEDs (at least 1).
    int NumLEDs() const;
    void setNumLEDs(int value);
    float Value() const;
    /// Moves the value towards @p value, by at most MaxJumpRatio of the range when that is above 0.
    void setValue(float value);
    /// The largest share of the range one write of Value moves (0 to 1; 0: no limit).
    float MaxJumpRatio() const;
    void setMaxJumpRatio(float value);
    float MinValue() const;
    void setMinValue(float value);
    float MaxValue() const;
    void setMaxValue(float value);

    /// How many LEDs are lit now.
    int litCount() const;
    /// The width the LEDs need, which the control keeps.
    int barWidth() const;

    /// The LEDs' width, 15 pixels high.
    QSize sizeHint() const override;
    /// The LEDs' width, and a border and a pixel of each LED high.
    QSize minimumSizeHint() const override;

    /// Gives a new bar its initial values: the host's background for the bar and unlit LEDs.
    void InitProperties();
    /// Reads every property from @p bag (absent ones take their defaults); raises PropertyError.
    void ReadProperties(const PropertyBag& bag);
    /// Writes every property into @p bag, each with its default.
    void WriteProperties(PropertyBag& bag) const;

public Q_SLOTS:
    void showAbout();
    /// Repaints the whole bar.
    void Refresh();
    /// Lights the LEDs for the current value, repainting only those that change.
    void setLighting();

Q_SIGNALS:
    /// A persisted property changed; @p key is its property-bag key.
    void propertyChanged(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace glimmer
