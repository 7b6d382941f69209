#pragma once

#include <glimmer/glimmer_export.h>

#include <QImage>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace glimmer {

class PropertyBag;
struct ButtonColors;
template <typename Control> class PropertyTable;

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

    /// Drawing state handed to Redraw.
    enum DrawState { StateNormal = 0, StatePressed = 2 };

    explicit chBut(QWidget* parent = nullptr);
    ~chBut() override;

    quint32 BackColor() const { return m_backColor; }
    /// At design time (DesignMode) this also sets BackOver.
    void setBackColor(quint32 value);
    quint32 BackOver() const { return m_backOver; }
    void setBackOver(quint32 value);
    quint32 ForeColor() const { return m_foreColor; }
    /// At design time (DesignMode) this also sets ForeOver.
    void setForeColor(quint32 value);
    quint32 ForeOver() const { return m_foreOver; }
    void setForeOver(quint32 value);
    quint32 MaskColor() const { return m_maskColor; }
    void setMaskColor(quint32 value);
    ButtonTypes ButtonType() const { return m_buttonType; }
    void setButtonType(ButtonTypes value);
    QString Caption() const { return m_caption; }
    void setCaption(const QString& value);
    bool FontBold() const { return font().bold(); }
    void setFontBold(bool value);
    bool FontItalic() const { return font().italic(); }
    void setFontItalic(bool value);
    bool FontUnderline() const { return font().underline(); }
    void setFontUnderline(bool value);
    short FontSize() const { return short(font().pointSize()); }
    void setFontSize(short value);
    QString FontName() const { return font().family(); }
    void setFontName(const QString& value);
    ColorTypes ColorScheme() const { return m_colorScheme; }
    void setColorScheme(ColorTypes value);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(bool value);
    short MousePointer() const { return m_mousePointer; }
    void setMousePointer(short value);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap& value);
    bool HandPointer() const { return m_handPointer; }
    void setHandPointer(bool value);
    /// The native window handle of the window the button lives in (0 before it has one).
    qulonglong hwnd() const { return qulonglong(effectiveWinId()); }
    bool SoftBevel() const { return m_softBevel; }
    void setSoftBevel(bool value);
    QPixmap PictureNormal() const { return m_pictureNormal; }
    void setPictureNormal(const QPixmap& value);
    QPixmap PictureOver() const { return m_pictureOver; }
    void setPictureOver(const QPixmap& value);
    PicPositions PicturePosition() const { return m_picturePosition; }
    void setPicturePosition(PicPositions value);
    bool UseMaskColor() const { return m_useMaskColor; }
    void setUseMaskColor(bool value);
    bool UseGreyscale() const { return m_useGreyscale; }
    void setUseGreyscale(bool value);
    fx SpecialEffect() const { return m_specialEffect; }
    void setSpecialEffect(fx value);
    bool CheckBoxBehaviour() const { return m_checkBoxBehaviour; }
    void setCheckBoxBehaviour(bool value);
    bool Value() const { return m_value; }
    void setValue(bool value);
    bool DisplayAsDefault() const { return m_displayAsDefault; }
    /// The host shows this button as its default button (drawn so while ShowFocusRect is on).
    void setDisplayAsDefault(bool value);
    bool DesignMode() const { return m_designMode; }
    /// The host is a design environment: colour writes then also set the hover colours.
    void setDesignMode(bool value);

    /// The access key of the caption in lower case, or a null character when it has none.
    QChar AccessKey() const { return m_accessKey; }
    /// True while the pointer is over the button.
    bool isHovered() const { return m_hover; }

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
    QImage surface() const { return m_surface; }

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
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Redraw(int state, bool force);
    void SetColors();
    void layoutCaption();
    void updateRegion();
    void updateAccessKey();
    void updateCursor();
    void pollHover();
    /// True when the pointer at @p global is over this button's window.
    bool pointerOver(const QPoint& global) const;
    void doClick();
    void pressAt(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF pos);
    bool paintingAllowed() const;
    /// Shared tail of every property write: recompute, redraw and notify.
    void changed(const char* key, bool colours, bool layout);
    /// Brings access key, cursor, region, colours and layout up to date after a bag was read or
    /// initial values were given, and redraws in @p state.
    void applyProperties(int state);
    /// The persisted properties: keys, defaults and initial values.
    static const PropertyTable<chBut>& propertyTable();
    void setFontSilently(const QFont& f);

    // persisted properties
    quint32 m_backColor;
    quint32 m_backOver;
    quint32 m_foreColor;
    quint32 m_foreOver;
    quint32 m_maskColor = 0xC0C0C0;
    ButtonTypes m_buttonType = Windows32Bit;
    QString m_caption;
    ColorTypes m_colorScheme = UseWindows;
    bool m_showFocusRect = true;
    short m_mousePointer = 0;
    QPixmap m_mouseIcon;
    bool m_handPointer = false;
    bool m_softBevel = false;
    QPixmap m_pictureNormal;
    QPixmap m_pictureOver;
    PicPositions m_picturePosition = cbLeft;
    bool m_useMaskColor = true;
    bool m_useGreyscale = false;
    fx m_specialEffect = cbNone;
    bool m_checkBoxBehaviour = false;
    bool m_value = false;

    // host ambient values
    bool m_displayAsDefault = false;
    bool m_designMode = false;

    // private state
    Qt::MouseButton m_lastButton = Qt::NoButton;
    int m_lastKey = 0;
    bool m_hasFocus = false;
    bool m_hover = false;
    int m_lastState = StateNormal;
    int m_drawnState = -1;
    bool m_quiet = false;
    QString m_lastCaption;
    bool m_suspended = false;
    bool m_silentFont = false;
    int m_wi = 0;
    int m_he = 0;
    QRect m_textRect;
    int m_wrapWidth = 0;
    QRect m_pictureRect;
    QRect m_focusRect;
    QChar m_accessKey;
    int m_shortcutId = 0;
    std::unique_ptr<ButtonColors> m_colors;
    QImage m_surface;
    QTimer m_hoverTimer;
};

} // namespace glimmer
