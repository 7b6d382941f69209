#include <glimmer/AboutBox.h>

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace glimmer {

struct GLIMMER_NO_EXPORT AboutBox::Private {
    QList<QLabel*> lines; ///< children of the window
};

AboutBox::AboutBox(QWidget* parent) : QDialog(parent), d(std::make_unique<Private>()) {
    setWindowTitle(QStringLiteral("About "));
    auto* layout = new QVBoxLayout(this);
    const QStringList texts = {QStringLiteral("This ActiveX control is:"),
                               QStringLiteral("Glimmer controls by the notaro developers, 2026"),
                               QStringLiteral("glimmer@notaro.invalid")};
    for (const QString& t : texts) {
        auto* label = new QLabel(t, this);
        layout->addWidget(label);
        d->lines << label;
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

AboutBox::~AboutBox() = default;

QStringList AboutBox::lines() const {
    QStringList out;
    for (const QLabel* l : d->lines)
        out << l->text();
    return out;
}

void AboutBox::showModal(QWidget* parent) {
    AboutBox box(parent);
    box.exec();
}

} // namespace glimmer
