#pragma once

#include <glimmer/glimmer_export.h>

#include <QWidget>

#include <memory>

namespace glimmer {

class PropertyBag;

/// A caption bar: word-wrapped text over a two-colour gradient, or over a copy of what the host
/// shows behind the control (a see-through background).
class GLIMMER_EXPORT t1Cap : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(tc_HAlign HAlign READ HAlign WRITE setHAlign)
    Q_PROPERTY(tc_HAlign TextAlign READ TextAlign WRITE setTextAlign)
    Q_PROPERTY(tc_VAlign vAlign READ vAlign WRITE setVAlign)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(quint32 Back1Color READ Back1Color WRITE setBack1Color)
    Q_PROPERTY(quint32 Back2Color READ Back2Color WRITE setBack2Color)
    Q_PROPERTY(tcap_Direction Direction READ Direction WRITE setDirection)
    Q_PROPERTY(tcap_Appearance Appearance READ Appearance WRITE setAppearance)
    Q_PROPERTY(tcap_BackStyle BackStyle READ BackStyle WRITE setBackStyle)

public:
    enum tc_HAlign : int { tc_Left = 0, tc_Center = 1, tc_Right = 2 };
    Q_ENUM(tc_HAlign)
    enum tc_VAlign : int { tc_Top = 0, tc_Middle = 1, tc_Bottom = 2 };
    Q_ENUM(tc_VAlign)
    enum tcap_Direction : int { grd_L2R = 0, grd_T2B = 1, grd_R2L = 2, grd_B2T = 3 };
    Q_ENUM(tcap_Direction)
    enum tcap_Appearance : int {
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
    Q_ENUM(tcap_Appearance)
    enum tcap_BackStyle : int { Transparent = 0, Opaque = 1 };
    Q_ENUM(tcap_BackStyle)

    explicit t1Cap(QWidget* parent = nullptr);
    ~t1Cap() override;

    QString Caption() const;
    void setCaption(const QString& value);
    /// Where the text block sits across the control.
    tc_HAlign HAlign() const;
    void setHAlign(tc_HAlign value);
    /// How the lines are aligned within the text block.
    tc_HAlign TextAlign() const;
    void setTextAlign(tc_HAlign value);
    /// Where the text block sits down the control.
    tc_VAlign vAlign() const;
    void setVAlign(tc_VAlign value);
    quint32 ForeColor() const;
    void setForeColor(quint32 value);
    /// First gradient colour of the Custom appearance.
    quint32 Back1Color() const;
    void setBack1Color(quint32 value);
    /// Second gradient colour of the Custom appearance.
    quint32 Back2Color() const;
    void setBack2Color(quint32 value);
    tcap_Direction Direction() const;
    void setDirection(tcap_Direction value);
    tcap_Appearance Appearance() const;
    void setAppearance(tcap_Appearance value);
    /// Opaque: the gradient; Transparent: what the host shows behind the control.
    tcap_BackStyle BackStyle() const;
    void setBackStyle(tcap_BackStyle value);

    /// Where the text is drawn.
    QRect textRect() const;

    /// The caption's lines unwrapped inside the one-pixel border.
    QSize sizeHint() const override;
    /// As narrow as the widest word, since the words wrap; as high as sizeHint.
    QSize minimumSizeHint() const override;

    /// Gives a new caption its initial values; the caption becomes the host's name for it.
    void InitProperties(const QString& name);
    /// Reads every property from @p bag (absent ones take their defaults); raises PropertyError.
    void ReadProperties(const PropertyBag& bag);
    /// Writes every property into @p bag, each with its default.
    void WriteProperties(PropertyBag& bag) const;

    /// Opens the library's About window modally.
    void showAbout();

public Q_SLOTS:
    /// Suspends painting until the next Refresh, so that many properties can change at once.
    void DisableRefresh();
    /// Paints again (and takes a new copy of the host's pixels when see-through).
    void Refresh();

Q_SIGNALS:
    /// A persisted property changed; @p key is its property-bag key.
    void propertyChanged(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace glimmer
