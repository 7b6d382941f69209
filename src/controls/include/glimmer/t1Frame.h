#pragma once

#include <glimmer/glimmer_export.h>

#include <QWidget>

#include <memory>

namespace glimmer {

class PropertyBag;

/// A framed panel: an etched double border, an optional title strip (the tape) carrying the
/// caption, and an inside that is filled or lets the host show (and take clicks) through it.
/// Every persisted property reports its changes through propertyChanged(key); the setters of
/// HAlign, vAlign and BackStyle refuse a value outside their enumeration with a warning.
class GLIMMER_EXPORT t1Frame : public QWidget {
    Q_OBJECT
    Q_PROPERTY(quint32 BottomColor READ BottomColor WRITE setBottomColor)
    Q_PROPERTY(quint32 TopColor READ TopColor WRITE setTopColor)
    Q_PROPERTY(bool HasTape READ HasTape WRITE setHasTape)
    Q_PROPERTY(int TapeHeight READ TapeHeight WRITE setTapeHeight)
    Q_PROPERTY(bool Tape3D READ Tape3D WRITE setTape3D)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 InBackColor READ InBackColor WRITE setInBackColor)
    Q_PROPERTY(tf_HAlign HAlign READ HAlign WRITE setHAlign)
    Q_PROPERTY(tf_VAlign vAlign READ vAlign WRITE setVAlign)
    Q_PROPERTY(tf_BackStyle BackStyle READ BackStyle WRITE setBackStyle)

public:
    // 32-bit ints: any number a host writes is a value a setter can look at and refuse.
    enum tf_HAlign : int { tf_Left = 0, tf_Center = 1, tf_Right = 2 };
    Q_ENUM(tf_HAlign)
    enum tf_VAlign : int { tf_Top = 0, tf_Middle = 1, tf_Bottom = 2 };
    Q_ENUM(tf_VAlign)
    enum tf_BackStyle : int { Transparent = 0, Opaque = 1 };
    Q_ENUM(tf_BackStyle)

    explicit t1Frame(QWidget* parent = nullptr);
    ~t1Frame() override;

    quint32 BottomColor() const;
    void setBottomColor(quint32 value);
    quint32 TopColor() const;
    void setTopColor(quint32 value);
    bool HasTape() const;
    void setHasTape(bool value);
    int TapeHeight() const;
    void setTapeHeight(int value);
    bool Tape3D() const;
    void setTape3D(bool value);
    QString Caption() const;
    void setCaption(const QString& value);
    quint32 ForeColor() const;
    void setForeColor(quint32 value);
    quint32 BackColor() const;
    void setBackColor(quint32 value);
    quint32 InBackColor() const;
    void setInBackColor(quint32 value);
    tf_HAlign HAlign() const;
    void setHAlign(tf_HAlign value);
    tf_VAlign vAlign() const;
    void setVAlign(tf_VAlign value);
    tf_BackStyle BackStyle() const;
    void setBackStyle(tf_BackStyle value);

    /// Gives a new frame its initial values; the caption becomes the host's name for it.
    void InitProperties(const QString& name);
    /// Reads every property from @p bag; an absent key gives the value of a new frame: borders
    /// 0x808080 and 0xFFFFFF, a 17-pixel strip with its 3-D line, caption "Hello" in black on
    /// 0xC0C0C0, centred both ways, an opaque 0xE0E0E0 inside and the host's font.
    /// Raises PropertyError when a value cannot be used, and then changes nothing.
    void ReadProperties(const PropertyBag& bag);
    /// Writes every property into @p bag, each with its default.
    void WriteProperties(PropertyBag& bag) const;

    /// The window shape for the current size and properties.
    QRegion shape() const;
    /// Where the caption is drawn (empty without a strip).
    QRect captionRect() const;

    /// At least 160 × 100 pixels, the minimum size and what a layout inside asks for.
    QSize sizeHint() const override;
    /// The border round the strip with its caption on one line, and what a layout inside needs.
    QSize minimumSizeHint() const override;

public Q_SLOTS:
    /// Opens the library's About window modally.
    void showAbout();
    /// Repaints at once.
    void Refresh();

Q_SIGNALS:
    /// A persisted property changed; @p key is its property-bag key.
    void propertyChanged(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace glimmer
