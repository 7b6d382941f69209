#include "app/dialogs/fAbout.h"

#include "app/shell/AppValues.h"
#include "app/shell/ShellServices.h"
#include "app/shell/TwipScale.h"
#include "app/shell/UserPrompts.h"

#include <glimmer/chBut.h>
#include <glimmer/t1Frame.h>
#include <glimmer/tkHLink.h>

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QShortcut>
#include <QUrl>

#include <algorithm>

namespace notaro::app {

namespace {

// Width of the box and of its panels and lines, in twips.
constexpr int kWidth = 6900;
constexpr int kMargin = 240;
constexpr int kInner = kWidth - 2 * kMargin;

QLabel* addLabel(QWidget* parent, const QString& text, const char* name, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

void addSeparator(QWidget* parent, const TwipScale& twips, int top) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(twips(kMargin, top, kInner, 30));
}

glimmer::t1Frame* addPanel(QWidget* parent, const QString& caption, const char* name,
                           QRect geometry) {
    auto* frame = new glimmer::t1Frame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->InitProperties(caption);
    frame->setGeometry(geometry);
    return frame;
}

/// A labelled link on a panel row; the link opens through the program's prompts.
void addLink(glimmer::t1Frame* panel, const TwipScale& twips, int top, const QString& label,
             const char* name, const QString& caption, const QUrl& target, UserPrompts& prompts) {
    auto* text = addLabel(panel, label, "", twips(240, top, 1500, 300));
    // Top-aligned like the link's own text, so both sit on one line.
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* link = new glimmer::tkHLink(panel);
    link->setObjectName(QLatin1String(name));
    link->setGeometry(twips(1800, top, kInner - 1800 - kMargin, 300));
    link->setBackColor(panel->InBackColor());
    link->setCaption(caption);
    link->setLinkURL(target.toString());
    link->setToolTip(target.toDisplayString(QUrl::PreferLocalFile));
    link->setOpener([&prompts](const QUrl& url) { prompts.openUrl(url); });
    text->setBuddy(link);
}

} // namespace

fAbout::fAbout(UserPrompts& prompts, QWidget* parent) : QDialog(parent) {
    const AppValues& values = appValues();
    setObjectName(QStringLiteral("fAbout"));
    setWindowTitle(values.appTitle);
    setModal(true);
    const TwipScale twips(*this);
    setFixedSize(twips(kWidth), twips(4860));
    if (parent)
        setWindowIcon(parent->window()->windowIcon());

    // The program's own picture; the parent's icon stands in while the resource is absent.
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgLogo"));
    picture->setGeometry(twips(240, 240, 720, 720));
    const QSize pictureSize = picture->size();
    QPixmap pixmap = QIcon(QStringLiteral(":/icons/notaro.svg")).pixmap(pictureSize);
    if (pixmap.isNull())
        pixmap = windowIcon().pixmap(pictureSize);
    picture->setPixmap(pixmap);

    QLabel* name = addLabel(this, QStringLiteral("Notaro"), "lblName",
                            twips(1200, 150, kWidth - 1200 - kMargin, 480));
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    name->setFont(big);
    addLabel(this,
             QStringLiteral("Version ") + values.appVersion + QStringLiteral(" -- ") +
                 values.appDate,
             "lblVersion", twips(1200, 660, kWidth - 1200 - kMargin, 270));
    addLabel(this, QStringLiteral("Copyright (C) 2006 the Notaro authors. Free to use."),
             "lblNotice", twips(1200, 960, kWidth - 1200 - kMargin, 270));
    addSeparator(this, twips, 1365);

    glimmer::t1Frame* info = addPanel(this, QStringLiteral("For Information"), "fraInfo",
                                      twips(kMargin, 1500, kInner, 900));
    addLink(info, twips, 450, QStringLiteral("Web:"), "hlnkWeb", QStringLiteral("Notaro help"),
            QUrl::fromLocalFile(dataFolder(QStringLiteral("help")) + QStringLiteral("/eOview.htm")),
            prompts);

    glimmer::t1Frame* related = addPanel(this, QStringLiteral("Related Software"), "fraRelated",
                                         twips(kMargin, 2520, kInner, 1260));
    addLink(related, twips, 450, QStringLiteral("Samples:"), "hlnkSamples",
            QStringLiteral("Sample scores"),
            QUrl::fromLocalFile(dataFolder(QStringLiteral("samples"))), prompts);
    QUrl cliSection =
        QUrl::fromLocalFile(dataFolder(QStringLiteral("help")) + QStringLiteral("/eOview.htm"));
    cliSection.setFragment(QStringLiteral("cli"));
    addLink(related, twips, 810, QStringLiteral("Command line:"), "hlnkCli",
            QStringLiteral("notaro-cli"), cliSection, prompts);
    addSeparator(this, twips, 3915);

    auto* cmdClose = new glimmer::chBut(this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->InitProperties(QStringLiteral("cmdClose"));
    cmdClose->setCaption(QStringLiteral("&Close"));
    cmdClose->setDisplayAsDefault(true);
    cmdClose->setGeometry(twips(kWidth - kMargin - 1200, 4080, 1200, 420));
    connect(cmdClose, &glimmer::chBut::Click, this, &QDialog::accept);
    // The button takes every key it is given, so Enter and Escape are window shortcuts: they
    // close the box wherever the focus is.
    for (const QKeySequence& key :
         {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter), QKeySequence(Qt::Key_Escape)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QDialog::accept);
    cmdClose->setFocus();

    centerFormOnScreen(*this);
}

} // namespace notaro::app
