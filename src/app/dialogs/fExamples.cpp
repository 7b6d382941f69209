#include "app/dialogs/fExamples.h"

#include "app/shell/AppValues.h"
#include "app/shell/ShellServices.h"
#include "app/shell/TwipScale.h"
#include "app/shell/UserPrompts.h"

#include <glimmer/tkHLink.h>

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include <algorithm>

namespace notaro::app {

namespace {

constexpr int kMarginTwips = 240;

} // namespace

fExamples::fExamples(UserPrompts& prompts, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fExamples"));
    setWindowTitle(QStringLiteral("Examples"));
    setModal(true);
    if (parent)
        setWindowIcon(parent->window()->windowIcon());

    // The examples are the sample scores that come with the program: the link shows the folder
    // (the address without its scheme) and opens it.
    const QString folder = dataFolder(QStringLiteral("samples"));
    const QString caption = QDir::toNativeSeparators(folder);

    auto* label = new QLabel(
        QStringLiteral("An updated list of music examples in Notaro language can be found at:"),
        this);
    label->setObjectName(QStringLiteral("lblInfo"));

    auto* hLnkEx = new glimmer::tkHLink(this);
    hLnkEx->setObjectName(QStringLiteral("hLnkEx"));
    hLnkEx->setCaption(caption);
    hLnkEx->setLinkURL(QUrl::fromLocalFile(folder).toString());
    hLnkEx->setToolTip(caption);
    hLnkEx->setOpener([&prompts](const QUrl& url) { prompts.openUrl(url); });

    // A long folder path widens the box rather than being cut off, up to the screen's width.
    const TwipScale twips(*this);
    const int margin = twips(kMarginTwips);
    int width = twips(7200);
    width = std::max(width, label->sizeHint().width() + 2 * margin);
    width = std::max(width, hLnkEx->fontMetrics().horizontalAdvance(caption) + 2 * margin + 4);
    if (const QScreen* s = screen())
        width = std::min(width, s->availableGeometry().width() - 40);
    const int inner = width - 2 * margin;
    label->setGeometry(margin, twips(240), inner, twips(300));
    hLnkEx->setGeometry(margin, twips(660), inner, twips(300));

    auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    const QRect button = twips(0, 1140, 1200, 375);
    cmdClose->setGeometry((width - button.width()) / 2, button.top(), button.width(),
                          button.height());
    cmdClose->setDefault(true);
    // Escape reaches QDialog::reject, so the same button serves as the cancel button.
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    cmdClose->setFocus();

    setFixedSize(width, twips(1140 + 375 + kMarginTwips));
    centerFormOnScreen(*this);
}

} // namespace notaro::app
