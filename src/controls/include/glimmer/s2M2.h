#pragma once

#include <glimmer/glimmer_export.h>

#include <QWidget>

#include <memory>

namespace glimmer {

class PropertyBag;

/// A horizontal scale: a bar with major and minor marks, the values of the major marks under
/// it, a strip that highlights the bar up to the value and a pointer above it. The control's
/// width follows from the divisions so that every mark falls on a whole pixel.
class GLIMMER_EXPORT s2M2 : public QWidget {
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 BarColor READ BarColor WRITE setBarColor)
    Q_PROPERTY(quint32 BarHiLiteColor READ BarHiLiteColor WRITE setBarHiLiteColor)
    Q_PROPERTY(quint32 MajorMarkColor READ MajorMarkColor WRITE setMajorMarkColor)
    Q_PROPERTY(quint32 MinorMarkColor READ MinorMarkColor WRITE setMinorMarkColor)
    Q_PROPERTY(quint32 NumbersColor READ NumbersColor WRITE setNumbersColor)
    Q_PROPERTY(quint32 PointerColor READ PointerColor WRITE setPointerColor)
    Q_PROPERTY(int MajorDivisions READ MajorDivisions WRITE setMajorDivisions)
    Q_PROPERTY(int MinorDivisions READ MinorDivisions WRITE setMinorDivisions)
    Q_PROPERTY(int BarWidth READ BarWidth WRITE setBarWidth)
    Q_PROPERTY(int BarHiliteWidth READ BarHiliteWidth WRITE setBarHiliteWidth)
    Q_PROPERTY(int PointerBarSpace READ PointerBarSpace WRITE setPointerBarSpace)
    Q_PROPERTY(int NumVOffAdjust READ NumVOffAdjust WRITE setNumVOffAdjust)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(float Value READ Value WRITE setValue)
    Q_PROPERTY(float MaxJumpRatio READ MaxJumpRatio WRITE setMaxJumpRatio)
    Q_PROPERTY(float MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(float MaxValue READ MaxValue WRITE setMaxValue)

public:
    explicit s2M2(QWidget* parent = nullptr);
    ~s2M2() override;

    quint32 BackColor() const;
    void setBackColor(quint32 value);
    quint32 BarColor() const;
    void setBarColor(quint32 value);
    quint32 BarHiLiteColor() const;
    void setBarHiLiteColor(quint32 value);
    quint32 MajorMarkColor() const;
    void setMajorMarkColor(quint32 value);
    quint32 MinorMarkColor() const;
    void setMinorMarkColor(quint32 value);
    quint32 NumbersColor() const;
    void setNumbersColor(quint32 value);
    quint32 PointerColor() const;
    void setPointerColor(quint32 value);
    /// Numbered marks minus one (0: 4).
    int MajorDivisions() const;
    void setMajorDivisions(int value);
    /// Steps between two numbered marks (0: 2; below 2 no minor marks).
    int MinorDivisions() const;
    void setMinorDivisions(int value);
    int BarWidth() const;
    void setBarWidth(int value);
    int BarHiliteWidth() const;
    void setBarHiliteWidth(int value);
    /// Moves the bar down (or up, when negative) from the pointer.
    int PointerBarSpace() const;
    void setPointerBarSpace(int value);
    /// Moves the numbers up (or down, when negative).
    int NumVOffAdjust() const;
    void setNumVOffAdjust(int value);
    float Value() const;
    void setValue(float value);
    float MaxJumpRatio() const;
    void setMaxJumpRatio(float value);
    float MinValue() const;
    void setMinValue(float value);
    float MaxValue() const;
    void setMaxValue(float value);

    /// Pixels between two minor marks, and between two major marks.
    int minorStep() const;
    int majorStep() const;
    /// Length of the highlight strip in pixels (the pointer stands at 5 + this).
    int highlightLength() const;

    /// The width at which the numbers under neighbouring major marks stand apart, and the height
    /// down to the bottom of the numbers.
    QSize sizeHint() const override;
    /// The width at the smallest minor step (3 pixels), as high as sizeHint.
    QSize minimumSizeHint() const override;

    void InitProperties();
    /// Reads every property from @p bag (absent ones take their defaults); raises PropertyError.
    void ReadProperties(const PropertyBag& bag);
    /// Writes every property into @p bag, each with its default.
    void WriteProperties(PropertyBag& bag) const;

public Q_SLOTS:
    void showAbout();
    /// Recomputes the steps and the width and repaints the whole scale.
    void Refresh();
    /// Moves the highlight and the pointer to the current value, repainting only where they were
    /// and where they go.
    void setLighting();

Q_SIGNALS:
    /// A persisted property changed; @p key is its property-bag key.
    void propertyChanged(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace glimmer
