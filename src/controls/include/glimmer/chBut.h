#pragma once

#include <glimmer/glimmer_export.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <memory>

namespace glimmer {

class PropertyBag;

/// An owner-drawn push button in six looks (flat, classic, XP gradient, office toolbar, hover
/// borders) with a word-wrapped caption, an optional picture, hover colours and an optional
/// toggle behaviour. Every persisted property reports its changes through propertyChanged(key).
/// Setters of enumerations and of FontSize refuse a value outside their range: the property keeps
/// its value and a warning goes to the "glimmer.properties" logging category.
class GLIMMER_EXPORT chBut : public QWidget {
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 BackOver READ BackOver WRITE setBackOver)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(quint32 ForeOver READ ForeOver WRITE setForeOver)
    Q_PROPERTY(quint32 MaskColor READ MaskColor WRITE setMaskColor)
    Q_PROPERTY(ButtonTypes ButtonType READ ButtonType WRITE setButtonType)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(bool FontBold READ FontBold WRITE setFontBold)
    Q_PROPERTY(bool FontItalic READ FontItalic WRITE setFontItalic)
    Q_PROPERTY(bool FontUnderline READ FontUnderline WRITE setFontUnderline)
    Q_PROPERTY(short FontSize READ FontSize WRITE setFontSize)
    Q_PROPERTY(QString FontName READ FontName WRITE setFontName)
    Q_PROPERTY(ColorTypes ColorScheme READ ColorScheme WRITE setColorScheme)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE setShowFocusRect)
    Q_PROPERTY(short MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(QPixmap MouseIcon READ MouseIcon WRITE setMouseIcon)
    Q_PROPERTY(bool HandPointer READ HandPointer WRITE setHandPointer)
    Q_PROPERTY(qulonglong hwnd READ hwnd)
    Q_PROPERTY(bool SoftBevel READ SoftBevel WRITE setSoftBevel)
    Q_PROPERTY(QPixmap PictureNormal READ PictureNormal WRITE setPictureNormal)
    Q_PROPERTY(QPixmap PictureOver READ PictureOver WRITE setPictureOver)
    Q_PROPERTY(PicPositions PicturePosition READ PicturePosition WRITE setPicturePosition)
    Q_PROPERTY(bool UseMaskColor READ UseMaskColor WRITE setUseMaskColor)
    Q_PROPERTY(bool UseGreyscale READ UseGreyscale WRITE setUseGreyscale)
    Q_PROPERTY(fx SpecialEffect READ SpecialEffect WRITE setSpecialEffect)
    Q_PROPERTY(bool CheckBoxBehaviour READ CheckBoxBehaviour WRITE setCheckBoxBehaviour)
    Q_PROPERTY(bool Value READ Value WRITE setValue)
    // Ambient values of the host, not persisted.
    Q_PROPERTY(bool DisplayAsDefault READ DisplayAsDefault WRITE setDisplayAsDefault)
    Q_PROPERTY(bool DesignMode READ DesignMode WRITE setDesignMode)

public:
    // The enumerations are 32-bit ints, so that any number a host writes is a value of the type
    // that a setter can look at and refuse.
    enum ButtonTypes : int {
        SimpleFlat = 1,
        Windows32Bit = 2,
        WindowsXP = 3,
        OfficeXP = 4,
        FlatHighlight = 5,
        Hover3D = 6
    };
    Q_ENUM(ButtonTypes)
    enum ColorTypes : int { UseWindows = 1, Custom = 2, ForceStandard = 3, UseContainer = 4 };
    Q_ENUM(ColorTypes)
    enum PicPositions : int { cbLeft = 0, cbRight = 1, cbTop = 2, cbBottom = 3, cbBackground = 4 };
    Q_ENUM(PicPositions)
    enum fx : int { cbNone = 0, cbEmbossed = 1, cbEngraved = 2, cbShadowed = 3 };
    Q_ENUM(fx)

    /// The states a button draws itself in: up, or held down (also while latched).
    enum DrawState { StateNormal = 0, StatePressed = 2 };

    explicit chBut(QWidget* parent = nullptr);
    ~chBut() override;

    quint32 BackColor() const;
    /// At design time (DesignMode) this also sets BackOver.
    void setBackColor(quint32 value);
    quint32 BackOver() const;
    void setBackOver(quint32 value);
    quint32 ForeColor() const;
    /// At design time (DesignMode) this also sets ForeOver.
    void setForeColor(quint32 value);
    quint32 ForeOver() const;
    void setForeOver(quint32 value);
    quint32 MaskColor() const;
    void setMaskColor(quint32 value);
    ButtonTypes ButtonType() const;
    void setButtonType(ButtonTypes value);
    QString Caption() const;
    void setCaption(const QString& value);
    bool FontBold() const;
    void setFontBold(bool value);
    bool FontItalic() const;
    void setFontItalic(bool value);
    bool FontUnderline() const;
    void setFontUnderline(bool value);
    short FontSize() const;
    void setFontSize(short value);
    QString FontName() const;
    void setFontName(const QString& value);
    ColorTypes ColorScheme() const;
    void setColorScheme(ColorTypes value);
    bool ShowFocusRect() const;
    void setShowFocusRect(bool value);
    short MousePointer() const;
    void setMousePointer(short value);
    QPixmap MouseIcon() const;
    void setMouseIcon(const QPixmap& value);
    bool HandPointer() const;
    void setHandPointer(bool value);
    /// The native window handle of the window the button lives in (0 before it has one).
    qulonglong hwnd() const;
    bool SoftBevel() const;
    void setSoftBevel(bool value);
    QPixmap PictureNormal() const;
    void setPictureNormal(const QPixmap& value);
    QPixmap PictureOver() const;
    void setPictureOver(const QPixmap& value);
    PicPositions PicturePosition() const;
    void setPicturePosition(PicPositions value);
    bool UseMaskColor() const;
    void setUseMaskColor(bool value);
    bool UseGreyscale() const;
    void setUseGreyscale(bool value);
    fx SpecialEffect() const;
    void setSpecialEffect(fx value);
    bool CheckBoxBehaviour() const;
    void setCheckBoxBehaviour(bool value);
    bool Value() const;
    void setValue(bool value);
    bool DisplayAsDefault() const;
    /// The host shows this button as its default button (drawn so while ShowFocusRect is on).
    void setDisplayAsDefault(bool value);
    bool DesignMode() const;
    /// The host is a design environment: colour writes then also set the hover colours.
    void setDesignMode(bool value);

    /// The access key of the caption in lower case, or a null character when it has none.
    QChar AccessKey() const;
    /// True while the pointer is over the button.
    bool isHovered() const;

    /// Gives a newly placed button its initial values; the caption becomes the host's name for it.
    /// @param name the name the host gave the control
    void InitProperties(const QString& name);
    /// Reads every property from @p bag; an absent key gives the value of a new button (system
    /// button-face and button-text colours, hover colours equal to the colours read, mask colour
    /// 0xC0C0C0, ButtonType 2, ColorScheme 1, enabled, focus rectangle and mask colour on,
    /// everything else off, empty, none or 0) and the button's current font.
    /// Raises PropertyError when a value cannot be used, and then changes nothing.
    void ReadProperties(const PropertyBag& bag);
    /// Writes every property into @p bag.
    void WriteProperties(PropertyBag& bag) const;

    /// The last drawn surface (what paintEvent shows).
    QImage surface() const;

    /// The caption on one line and the picture beside, above, below or behind it, with room
    /// round them for the bevel, the focus rectangle and an average character each side.
    QSize sizeHint() const override;
    /// The caption on one line and the picture, inside the focus rectangle.
    QSize minimumSizeHint() const override;

public Q_SLOTS:
    /// Opens the library's About window modally.
    void showAbout();
    /// Suspends all drawing until the next Refresh.
    void DisableRefresh();
    /// Recomputes colours and caption layout and redraws.
    void Refresh();

Q_SIGNALS:
    /// A persisted property changed; @p key is its property-bag key.
    void propertyChanged(const QString& key);
    void Click();
    void MouseDown(short Button, short Shift, float X, float Y);
    void MouseMove(short Button, short Shift, float X, float Y);
    void MouseUp(short Button, short Shift, float X, float Y);
    void KeyPress(short KeyAscii);
    void KeyDown(short KeyCode, short Shift);
    void KeyUp(short KeyCode, short Shift);
    void MouseOver();
    void MouseOut();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace glimmer
