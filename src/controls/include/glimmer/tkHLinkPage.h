#pragma once

#include <glimmer/glimmer_export.h>

#include <QList>
#include <QWidget>

class QCheckBox;
class QLineEdit;

namespace glimmer {

class tkHLink;

/// The design-time property page "Miscellaneous" of the hyperlink label: link address, caption
/// and four switches, applied to the first selected control.
class GLIMMER_EXPORT tkHLinkPage : public QWidget {
    Q_OBJECT
public:
    explicit tkHLinkPage(QWidget* parent = nullptr);

    /// The page's title.
    static QString caption() { return QStringLiteral("Miscellaneous"); }

    /// Takes a new selection and fills the fields from its first control.
    void setSelectedControls(const QList<tkHLink*>& controls);
    /// True once a field was edited since the last fill or apply.
    bool isChanged() const { return m_changed; }

    /// Writes the fields to the first selected control, in the order LinkURL,
    /// LinkSingleClickActivate, LinkUnderLined, Caption, AutoSize, Enabled.
    void apply();

    QLineEdit* urlEdit() const { return m_url; }
    QLineEdit* captionEdit() const { return m_caption; }
    QCheckBox* singleClickBox() const { return m_single; }
    QCheckBox* underlinedBox() const { return m_underlined; }
    QCheckBox* autoSizeBox() const { return m_autoSize; }
    QCheckBox* enabledBox() const { return m_enabled; }

Q_SIGNALS:
    /// A field was edited.
    void changed();

private:
    void markChanged();

    QLineEdit* m_url;
    QLineEdit* m_caption;
    QCheckBox* m_single;
    QCheckBox* m_underlined;
    QCheckBox* m_autoSize;
    QCheckBox* m_enabled;
    QList<tkHLink*> m_controls;
    bool m_changed = false;
};

} // namespace glimmer
