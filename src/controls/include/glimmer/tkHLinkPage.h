#pragma once

#include <glimmer/glimmer_export.h>

#include <QList>
#include <QWidget>

#include <memory>

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
    ~tkHLinkPage() override;

    /// The page's title.
    static QString caption() { return QStringLiteral("Miscellaneous"); }

    /// Takes a new selection and fills the fields from its first control.
    void setSelectedControls(const QList<tkHLink*>& controls);
    /// True once a field was edited since the last fill or apply.
    bool isChanged() const;

    /// Writes the fields to the first selected control, in the order LinkURL,
    /// LinkSingleClickActivate, LinkUnderLined, Caption, AutoSize, Enabled.
    void apply();

    QLineEdit* urlEdit() const;
    QLineEdit* captionEdit() const;
    QCheckBox* singleClickBox() const;
    QCheckBox* underlinedBox() const;
    QCheckBox* autoSizeBox() const;
    QCheckBox* enabledBox() const;

Q_SIGNALS:
    /// A field was edited.
    void changed();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace glimmer
