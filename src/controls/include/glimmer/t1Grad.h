#pragma once

#include <glimmer/glimmer_export.h>

#include <QWidget>

#include <memory>

namespace glimmer {

class PropertyBag;

/// A panel filled with a two-colour gradient that holds other controls; labels placed on it
/// show the gradient through their background.
class GLIMMER_EXPORT t1Grad : public QWidget {
    Q_OBJECT
    Q_PROPERTY(quint32 FirstColor READ FirstColor WRITE setFirstColor)
    Q_PROPERTY(quint32 SecondColor READ SecondColor WRITE setSecondColor)
    Q_PROPERTY(tgrd_Direction Direction READ Direction WRITE setDirection)
    Q_PROPERTY(tgrd_Appearance Appearance READ Appearance WRITE setAppearance)

public:
    enum tgrd_Direction : int { grd_L2R = 0, grd_T2B = 1, grd_R2L = 2, grd_B2T = 3 };
    Q_ENUM(tgrd_Direction)
    enum tgrd_Appearance : int {
        Autumn = 0,
        Spring,
        Summer,
        Winter,
        Purple,
        Pink,
        Blue,
        Yellow,
        Brown,
        GrayOrang,
        NeonBlue,
        NeonGreen,
        HardGray,
        SoftGray,
        Custom
    };
    Q_ENUM(tgrd_Appearance)

    explicit t1Grad(QWidget* parent = nullptr);
    ~t1Grad() override;

    /// First gradient colour of the Custom appearance.
    quint32 FirstColor() const;
    void setFirstColor(quint32 value);
    /// Second gradient colour of the Custom appearance.
    quint32 SecondColor() const;
    void setSecondColor(quint32 value);
    tgrd_Direction Direction() const;
    void setDirection(tgrd_Direction value);
    /// One of the named colour pairs, or Custom for FirstColor and SecondColor.
    tgrd_Appearance Appearance() const;
    void setAppearance(tgrd_Appearance value);

    /// What the layout inside asks for; without one, a panel of 160 × 100 pixels.
    QSize sizeHint() const override;
    /// What the layout inside needs; without one, 2 × 2 pixels of gradient.
    QSize minimumSizeHint() const override;

    /// Gives a new panel its initial values.
    void InitProperties();
    /// Reads every property from @p bag (absent ones take their defaults); raises PropertyError.
    void ReadProperties(const PropertyBag& bag);
    /// Writes every property into @p bag, each with its default.
    void WriteProperties(PropertyBag& bag) const;

public Q_SLOTS:
    void showAbout();
    void Refresh();

Q_SIGNALS:
    /// A persisted property changed; @p key is its property-bag key.
    void propertyChanged(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace glimmer
