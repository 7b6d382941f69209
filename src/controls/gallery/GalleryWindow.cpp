#include "controls/gallery/GalleryWindow.h"

#include "controls/gallery/ButtonSnapshot.h"
#include "controls/gallery/CaptionsAndMeters.h"
#include "controls/gallery/StripedHost.h"

#include <glimmer/t1Frame.h>
#include <glimmer/tkHLink.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

using glimmer::chBut;
using glimmer::t1Frame;
using glimmer::tkHLink;
using State = ButtonSnapshot::State;

namespace {

const QSize ButtonSize(104, 30);

/// A small note picture on the mask colour, the way button pictures are usually drawn.
QPixmap notePicture() {
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x10, 0x30, 0x90));
    p.drawEllipse(2, 10, 6, 5);
    p.fillRect(7, 2, 2, 11, QColor(0x10, 0x30, 0x90));
    p.fillRect(9, 2, 4, 2, QColor(0xD0, 0x20, 0x20));
    p.fillRect(11, 4, 2, 2, QColor(0xD0, 0x20, 0x20));
    return QPixmap::fromImage(img);
}

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    return label;
}

QLabel* picture(const QPixmap& pixmap, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(pixmap);
    return label;
}

QGroupBox* group(const QString& title, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    return box;
}

} // namespace

GalleryWindow::GalleryWindow(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Glimmer gallery"));
    auto* columns = new QHBoxLayout(this);
    auto* layout = new QVBoxLayout;
    columns->addLayout(layout);
    columns->addWidget(new CaptionsAndMeters(this));
    layout->addWidget(buttonStates());
    layout->addWidget(buttonSchemes());
    layout->addWidget(buttonPictures());
    auto* row = new QHBoxLayout;
    row->addWidget(links());
    row->addWidget(frames(), 1);
    layout->addLayout(row);
}

QPalette GalleryWindow::classicPalette() {
    QPalette p;
    const auto set = [&p](QPalette::ColorRole role, QColor c) {
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            p.setColor(group, role, c);
    };
    set(QPalette::Window, QColor(0xD4, 0xD0, 0xC8));
    set(QPalette::WindowText, Qt::black);
    set(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
    set(QPalette::ButtonText, Qt::black);
    set(QPalette::Light, Qt::white);
    set(QPalette::Midlight, QColor(0xD4, 0xD0, 0xC8));
    set(QPalette::Dark, QColor(0x80, 0x80, 0x80));
    set(QPalette::Shadow, QColor(0x40, 0x40, 0x40));
    set(QPalette::Highlight, QColor(0x0A, 0x24, 0x6A));
    set(QPalette::HighlightedText, Qt::white);
    set(QPalette::Base, Qt::white);
    set(QPalette::Text, Qt::black);
    return p;
}

QWidget* GalleryWindow::buttonStates() {
    auto* box = group(QStringLiteral("chBut: every style in every state"), this);
    auto* grid = new QGridLayout(box);
    const QList<State> states = {State::Normal,  State::Hovered, State::Pressed, State::Toggled,
                                 State::Focused, State::Default, State::Disabled};
    const QList<QPair<chBut::ButtonTypes, QString>> styles = {
        {chBut::SimpleFlat, QStringLiteral("1 Simple Flat")},
        {chBut::Windows32Bit, QStringLiteral("2 Windows 32-bit")},
        {chBut::WindowsXP, QStringLiteral("3 Windows XP")},
        {chBut::OfficeXP, QStringLiteral("4 Office XP")},
        {chBut::FlatHighlight, QStringLiteral("5 Flat Highlight")},
        {chBut::Hover3D, QStringLiteral("6 3D Hover")}};
    for (int c = 0; c < states.size(); ++c)
        grid->addWidget(heading(ButtonSnapshot::name(states[c]), box), 0, c + 1, Qt::AlignHCenter);
    grid->addWidget(heading(QStringLiteral("Live (toggles)"), box), 0, int(states.size()) + 1,
                    Qt::AlignHCenter);
    const QColor background = palette().color(QPalette::Window);
    for (int r = 0; r < styles.size(); ++r) {
        grid->addWidget(heading(styles[r].second, box), r + 1, 0);
        for (int c = 0; c < states.size(); ++c) {
            const auto type = styles[r].first;
            const QPixmap shot = ButtonSnapshot::take(
                ButtonSize, states[c],
                [type](chBut& b) {
                    b.setButtonType(type);
                    b.setCaption(QStringLiteral("&Button"));
                },
                background);
            grid->addWidget(picture(shot, box), r + 1, c + 1);
        }
        // A real button to hover, press and toggle.
        auto* live = new chBut(box);
        live->setButtonType(styles[r].first);
        live->setCaption(QStringLiteral("&Try me"));
        live->setCheckBoxBehaviour(true);
        live->setFixedSize(ButtonSize);
        grid->addWidget(live, r + 1, int(states.size()) + 1);
    }
    return box;
}

QWidget* GalleryWindow::buttonSchemes() {
    auto* box = group(QStringLiteral("chBut: colour schemes (normal and hovered)"), this);
    auto* grid = new QGridLayout(box);
    const QColor background = palette().color(QPalette::Window);
    const QColor container(0xC8, 0xDC, 0xF0);
    struct Scheme {
        QString name;
        std::function<void(chBut&)> apply;
        QColor host;
    };
    const QList<Scheme> schemes = {
        {QStringLiteral("Use Windows"), [](chBut& b) { b.setColorScheme(chBut::UseWindows); },
         background},
        {QStringLiteral("Custom"),
         [](chBut& b) {
             b.setColorScheme(chBut::Custom);
             b.setBackColor(0x9CC89C);
             b.setBackOver(0x70D0F0);
             b.setForeColor(0x104010);
             b.setForeOver(0x0000A0);
         },
         background},
        {QStringLiteral("Custom, SoftBevel"),
         [](chBut& b) {
             b.setColorScheme(chBut::Custom);
             b.setBackColor(0xC89C9C);
             b.setBackOver(0xE0B8B8);
             b.setSoftBevel(true);
         },
         background},
        {QStringLiteral("Force Standard"), [](chBut& b) { b.setColorScheme(chBut::ForceStandard); },
         background},
        {QStringLiteral("Use Container"), [](chBut& b) { b.setColorScheme(chBut::UseContainer); },
         container}};
    const QList<QPair<chBut::ButtonTypes, State>> cells = {
        {chBut::Windows32Bit, State::Normal}, {chBut::Windows32Bit, State::Hovered},
        {chBut::WindowsXP, State::Normal},    {chBut::WindowsXP, State::Hovered},
        {chBut::OfficeXP, State::Hovered},    {chBut::Hover3D, State::Pressed}};
    const QStringList cellNames = {QStringLiteral("32-bit"),
                                   QStringLiteral("32-bit hovered"),
                                   QStringLiteral("XP"),
                                   QStringLiteral("XP hovered"),
                                   QStringLiteral("Office XP hovered"),
                                   QStringLiteral("3D Hover pressed")};
    for (int c = 0; c < cellNames.size(); ++c)
        grid->addWidget(heading(cellNames[c], box), 0, c + 1, Qt::AlignHCenter);
    for (int r = 0; r < schemes.size(); ++r) {
        grid->addWidget(heading(schemes[r].name, box), r + 1, 0);
        for (int c = 0; c < cells.size(); ++c) {
            const Scheme& s = schemes[r];
            const auto type = cells[c].first;
            const QPixmap shot = ButtonSnapshot::take(
                ButtonSize, cells[c].second,
                [&s, type](chBut& b) {
                    s.apply(b);
                    b.setButtonType(type);
                    b.setCaption(QStringLiteral("Scheme"));
                },
                s.host);
            grid->addWidget(picture(shot, box), r + 1, c + 1);
        }
    }
    return box;
}

QWidget* GalleryWindow::buttonPictures() {
    auto* box =
        group(QStringLiteral("chBut: pictures, picture renderings and caption effects"), this);
    auto* grid = new QGridLayout(box);
    const QColor background = palette().color(QPalette::Window);
    const QPixmap note = notePicture();
    struct Cell {
        QString name;
        State state;
        std::function<void(chBut&)> apply;
    };
    auto withPicture = [note](chBut::PicPositions pos,
                              chBut::ButtonTypes type = chBut::Windows32Bit) {
        return [note, pos, type](chBut& b) {
            b.setButtonType(type);
            b.setPictureNormal(note);
            b.setPicturePosition(pos);
            b.setCaption(QStringLiteral("Play"));
        };
    };
    auto effect = [](chBut::fx fx) {
        return [fx](chBut& b) {
            b.setColorScheme(chBut::Custom);
            b.setBackColor(0xB0D8E8);
            b.setForeColor(0x203040);
            b.setFontBold(true);
            b.setSpecialEffect(fx);
            b.setCaption(QStringLiteral("Effect"));
        };
    };
    const QList<QList<Cell>> rows = {
        {{QStringLiteral("cbLeft"), State::Normal, withPicture(chBut::cbLeft)},
         {QStringLiteral("cbRight"), State::Normal, withPicture(chBut::cbRight)},
         {QStringLiteral("cbTop"), State::Normal, withPicture(chBut::cbTop)},
         {QStringLiteral("cbBottom"), State::Normal, withPicture(chBut::cbBottom)},
         {QStringLiteral("cbBackground"), State::Normal, withPicture(chBut::cbBackground)},
         {QStringLiteral("pressed"), State::Pressed, withPicture(chBut::cbLeft)}},
        {{QStringLiteral("greyscale"), State::Normal,
          [withPicture](chBut& b) {
              withPicture(chBut::cbLeft)(b);
              b.setUseGreyscale(true);
          }},
         {QStringLiteral("Office XP faded"), State::Normal,
          withPicture(chBut::cbLeft, chBut::OfficeXP)},
         {QStringLiteral("Office XP hovered"), State::Hovered,
          withPicture(chBut::cbLeft, chBut::OfficeXP)},
         {QStringLiteral("disabled"), State::Disabled, withPicture(chBut::cbLeft)},
         {QStringLiteral("XP disabled"), State::Disabled,
          withPicture(chBut::cbLeft, chBut::WindowsXP)},
         {QStringLiteral("Office disabled"), State::Disabled,
          withPicture(chBut::cbLeft, chBut::OfficeXP)}},
        {{QStringLiteral("cbNone"), State::Normal, effect(chBut::cbNone)},
         {QStringLiteral("cbEmbossed"), State::Normal, effect(chBut::cbEmbossed)},
         {QStringLiteral("cbEngraved"), State::Normal, effect(chBut::cbEngraved)},
         {QStringLiteral("cbShadowed"), State::Normal, effect(chBut::cbShadowed)},
         {QStringLiteral("word wrap"), State::Normal,
          [](chBut& b) { b.setCaption(QStringLiteral("A caption that wraps")); }},
         {QStringLiteral("picture only"), State::Normal, [note](chBut& b) {
              b.setButtonType(chBut::WindowsXP);
              b.setPictureNormal(note);
          }}}};
    const QSize size(ButtonSize.width(), 44);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            const Cell& cell = rows[r][c];
            auto* column = new QVBoxLayout;
            column->addWidget(heading(cell.name, box), 0, Qt::AlignHCenter);
            column->addWidget(
                picture(ButtonSnapshot::take(size, cell.state, cell.apply, background), box));
            grid->addLayout(column, r, c);
        }
    }
    return box;
}

QWidget* GalleryWindow::links() {
    auto* box = group(QStringLiteral("tkHLink"), this);
    auto* column = new QVBoxLayout(box);
    auto add = [box, column](const QString& caption, const std::function<void(tkHLink&)>& setup) {
        auto* link = new tkHLink(box);
        link->setOpener([](const QUrl&) {});
        link->setCaption(caption);
        setup(*link);
        link->setMinimumSize(190, 22);
        column->addWidget(link);
    };
    add(QStringLiteral("www.notaro.invalid"), [](tkHLink&) {});
    add(QStringLiteral("Underlined link"), [](tkHLink& l) { l.setLinkUnderLined(true); });
    add(QStringLiteral("Visited link"), [](tkHLink& l) { l.activate(); });
    add(QStringLiteral("mailto:ann@example.org"), [](tkHLink& l) {
        l.setBorderStyle(tkHLink::FixedSingle);
        l.setAlignment(tkHLink::Center);
        l.setBackColor(0xFFFFFF);
    });
    add(QStringLiteral("Disabled link"), [](tkHLink& l) { l.setEnabled(false); });
    column->addStretch();
    return box;
}

QWidget* GalleryWindow::frames() {
    auto* box = group(QStringLiteral("t1Frame"), this);
    auto* outer = new QVBoxLayout(box);
    auto* host = new StripedHost(box);
    host->setMinimumSize(560, 150);
    outer->addWidget(host);
    struct FrameSample {
        QString caption;
        std::function<void(t1Frame&)> setup;
    };
    const QList<FrameSample> samples = {
        {QStringLiteral("Hello"), [](t1Frame&) {}},
        {QStringLiteral("Transparent"),
         [](t1Frame& f) {
             f.setBackStyle(t1Frame::Transparent);
             f.setHAlign(t1Frame::tf_Left);
         }},
        {QStringLiteral("No tape"), [](t1Frame& f) { f.setHasTape(false); }},
        {QStringLiteral("Right, bottom"), [](t1Frame& f) {
             f.setTapeHeight(24);
             f.setTape3D(false);
             f.setHAlign(t1Frame::tf_Right);
             f.setVAlign(t1Frame::tf_Bottom);
             f.setBackColor(0x806040);
             f.setForeColor(0xFFFFFF);
             f.setInBackColor(0xF0F8FF);
         }}};
    for (int i = 0; i < samples.size(); ++i) {
        auto* frame = new t1Frame(host);
        frame->InitProperties(samples[i].caption);
        samples[i].setup(*frame);
        frame->setGeometry(10 + i * 138, 12, 128, 126);
        if (samples[i].caption == QLatin1String("No tape"))
            new QLabel(QStringLiteral("(no strip)"), frame);
    }
    return box;
}
