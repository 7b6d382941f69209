#pragma once

#include <glimmer/glimmer_export.h>

#include <QFrame>
#include <QUrl>

#include <functional>
#include <memory>

class QLabel;

namespace glimmer {

class PropertyBag;

/// A hyperlink label: a text that opens a web address or a new e-mail message when clicked and
/// then shows the visited colour. The control is a surface (background, border) holding one
/// label that fills it. Every persisted property reports its changes through
/// propertyChanged(key); the setters of BorderStyle and Alignment refuse a value outside their
/// enumeration with a warning.
class GLIMMER_EXPORT tkHLink : public QFrame {
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ Font WRITE setLinkFont)
    Q_PROPERTY(BorderStyles BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(Alignments Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(qulonglong hwnd READ hwnd)
    Q_PROPERTY(quint32 LinkActiveColor READ LinkActiveColor WRITE setLinkActiveColor)
    Q_PROPERTY(quint32 LinkVisitedColor READ LinkVisitedColor WRITE setLinkVisitedColor)
    Q_PROPERTY(bool LinkUnderLined READ LinkUnderLined WRITE setLinkUnderLined)
    Q_PROPERTY(
        bool LinkSingleClickActivate READ LinkSingleClickActivate WRITE setLinkSingleClickActivate)
    Q_PROPERTY(QString LinkURL READ LinkURL WRITE setLinkURL)

public:
    // 32-bit ints: any number a host writes is a value a setter can look at and refuse.
    enum Alignments : int { LeftJustify = 0, RightJustify = 1, Center = 2 };
    Q_ENUM(Alignments)
    enum BorderStyles : int { NoBorder = 0, FixedSingle = 1 };
    Q_ENUM(BorderStyles)

    /// Opens an address; the default hands it to QDesktopServices::openUrl.
    using Opener = std::function<void(const QUrl&)>;

    explicit tkHLink(QWidget* parent = nullptr);
    ~tkHLink() override;

    quint32 BackColor() const;
    void setBackColor(quint32 value);
    QFont Font() const;
    void setLinkFont(const QFont& value);
    BorderStyles BorderStyle() const;
    void setBorderStyle(BorderStyles value);
    Alignments Alignment() const;
    void setAlignment(Alignments value);
    bool AutoSize() const;
    /// True sizes the label to its text and the control to the label (plus 100 twips with a
    /// border).
    void setAutoSize(bool value);
    QString Caption() const;
    /// Shows @p value; while LinkURL is empty it also becomes the link address.
    void setCaption(const QString& value);
    qulonglong hwnd() const;
    /// The label's text colour: the active colour until the link was opened, then the visited one.
    quint32 LinkActiveColor() const;
    void setLinkActiveColor(quint32 value);
    quint32 LinkVisitedColor() const;
    void setLinkVisitedColor(quint32 value);
    bool LinkUnderLined() const;
    void setLinkUnderLined(bool value);
    bool LinkSingleClickActivate() const;
    void setLinkSingleClickActivate(bool value);
    QString LinkURL() const;
    void setLinkURL(const QString& value);
    /// The background style kept in the property bag: 0 transparent, 1 opaque.
    short BackStyle() const;

    /// Replaces the way addresses are opened (tests and hosts that open links themselves).
    void setOpener(Opener opener);

    /// Gives a new control its initial values and raises InitPropertiesEvent.
    /// @param name the name the host gave the control; it becomes the caption
    void InitProperties(const QString& name);
    /// Reads every property from @p bag; an absent key gives: system button-face background,
    /// enabled, the host's font, opaque, no border, left-justified, no auto size, a caption
    /// naming the maker's site, link colours 0xC00000 (active) and 0x800080 (visited), not
    /// underlined, single-click activation on and an empty address.
    /// Raises PropertyError when a value cannot be used, and then changes nothing.
    void ReadProperties(const PropertyBag& bag);
    /// Writes every property into @p bag, each with its default.
    void WriteProperties(PropertyBag& bag) const;

    /// The label that shows the caption.
    QLabel* label() const;

    /// The label's size hint inside the border.
    QSize sizeHint() const override;
    /// The label's smallest size inside the border.
    QSize minimumSizeHint() const override;

public Q_SLOTS:
    /// Opens the library's About window modally.
    void showAbout();
    /// Repaints the label and the surface.
    void Refresh();
    /// Raises Navigate and, unless a handler cancels, opens the link and shows the visited colour.
    void activate();

Q_SIGNALS:
    /// A persisted property changed; @p key is its property-bag key.
    void propertyChanged(const QString& key);
    void Click();
    void DblClick();
    void MouseDown(short Button, short Shift, float X, float Y);
    void MouseMove(short Button, short Shift, float X, float Y);
    void MouseUp(short Button, short Shift, float X, float Y);
    /// Raised after a new control got its initial values.
    void InitPropertiesEvent();
    /// Part of the event interface for hosts; this control never raises it.
    void ReadPropertiesEvent(glimmer::PropertyBag* PropBag);
    /// Raised after every resize, once the label covers the control again.
    void Resize();
    /// Part of the event interface for hosts; this control never raises it.
    void WritePropertiesEvent(glimmer::PropertyBag* PropBag);
    /// Raised before the link opens; a handler that sets @p Cancel to true stops it.
    void Navigate(bool& Cancel);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace glimmer
