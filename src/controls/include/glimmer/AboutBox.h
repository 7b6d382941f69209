#pragma once

#include <glimmer/glimmer_export.h>

#include <QDialog>

#include <memory>

namespace glimmer {

/// The library's About window: caption "About " and three lines naming the library's maker.
class GLIMMER_EXPORT AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
    ~AboutBox() override;

    /// The three lines, top to bottom.
    QStringList lines() const;

    /// Opens the window modally and destroys it once it is closed.
    /// @param parent the window it is modal to
    static void showModal(QWidget* parent);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace glimmer
