#include "controls/gallery/CaptionsAndMeters.h"

#include "controls/gallery/StripedHost.h"

#include <glimmer/L2M2.h>
#include <glimmer/s2M2.h>
#include <glimmer/sGraph.h>
#include <glimmer/t1Cap.h>
#include <glimmer/t1Grad.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMetaEnum>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

using glimmer::L2M2;
using glimmer::s2M2;
using glimmer::sGraph;
using glimmer::t1Cap;
using glimmer::t1Grad;

CaptionsAndMeters::CaptionsAndMeters(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(gradients());
    column->addWidget(captions());
    column->addWidget(graph());
    column->addWidget(meters());
    column->addStretch();
}

QWidget* CaptionsAndMeters::gradients() {
    auto* box = new QGroupBox(QStringLiteral("t1Grad: every appearance, across and down"), this);
    auto* grid = new QGridLayout(box);
    grid->setSpacing(3);
    const QMetaEnum names = QMetaEnum::fromType<t1Grad::tgrd_Appearance>();
    for (int a = 0; a <= t1Grad::Custom; ++a) {
        for (int d = 0; d < 2; ++d) {
            auto* panel = new t1Grad(box);
            panel->setAppearance(t1Grad::tgrd_Appearance(a));
            panel->setDirection(d == 0 ? t1Grad::grd_L2R : t1Grad::grd_T2B);
            panel->setFirstColor(0x2040C0); // used by Custom only
            panel->setSecondColor(0xC0F0FF);
            panel->setFixedSize(30, 30);
            panel->setToolTip(QString::fromLatin1(names.valueToKey(a)));
            grid->addWidget(panel, d, a);
        }
    }
    // A panel holding labels: they show the gradient through their background.
    auto* holder = new t1Grad(box);
    holder->setAppearance(t1Grad::Winter);
    holder->setDirection(t1Grad::grd_B2T);
    holder->setMinimumHeight(34);
    auto* inside = new QHBoxLayout(holder);
    inside->addWidget(new QLabel(QStringLiteral("A label on a Winter gradient"), holder));
    inside->addWidget(new QLabel(QStringLiteral("and another"), holder));
    grid->addWidget(holder, 2, 0, 1, t1Grad::Custom + 1);
    return box;
}

QWidget* CaptionsAndMeters::captions() {
    auto* box =
        new QGroupBox(QStringLiteral("t1Cap: alignments and a see-through background"), this);
    auto* grid = new QGridLayout(box);
    struct Sample {
        const char* text;
        t1Cap::tc_HAlign across;
        t1Cap::tc_VAlign down;
        t1Cap::tc_HAlign lines;
        t1Cap::tcap_Appearance look;
    };
    const Sample samples[] = {
        {"Left, top", t1Cap::tc_Left, t1Cap::tc_Top, t1Cap::tc_Left, t1Cap::SoftGray},
        {"Centre, middle", t1Cap::tc_Center, t1Cap::tc_Middle, t1Cap::tc_Left, t1Cap::Summer},
        {"Right, bottom", t1Cap::tc_Right, t1Cap::tc_Bottom, t1Cap::tc_Left, t1Cap::Autumn},
        {"Two lines,\ncentred", t1Cap::tc_Center, t1Cap::tc_Middle, t1Cap::tc_Center,
         t1Cap::NeonBlue},
    };
    int i = 0;
    for (const Sample& s : samples) {
        auto* caption = new t1Cap(box);
        caption->setCaption(QString::fromLatin1(s.text));
        caption->setHAlign(s.across);
        caption->setVAlign(s.down);
        caption->setTextAlign(s.lines);
        caption->setAppearance(s.look);
        if (s.look == t1Cap::Summer || s.look == t1Cap::NeonBlue)
            caption->setForeColor(0xFFFFFF);
        caption->setFixedSize(150, 40);
        grid->addWidget(caption, i / 2, i % 2);
        ++i;
    }
    auto* host = new StripedHost(box);
    host->setFixedHeight(52);
    grid->addWidget(host, 2, 0, 1, 2);
    for (int k = 0; k < 2; ++k) {
        auto* clear = new t1Cap(host);
        clear->setBackStyle(t1Cap::Transparent);
        clear->setCaption(k == 0 ? QStringLiteral("See-through caption")
                                 : QStringLiteral("Another, right-aligned"));
        clear->setHAlign(k == 0 ? t1Cap::tc_Left : t1Cap::tc_Right);
        clear->setGeometry(8 + k * 156, 8, 148, 36);
    }
    return box;
}

QWidget* CaptionsAndMeters::graph() {
    auto* box = new QGroupBox(QStringLiteral("sGraph: values scroll in from the right"), this);
    auto* row = new QHBoxLayout(box);
    m_graph = new sGraph(box);
    m_graph->setBackColor(0x202020);
    m_graph->setGridColor(0x305030);
    m_graph->setPlotColor(0x40FF40);
    m_graph->setLevel(sGraph::sg_Sunken);
    m_graph->setMinValue(-100);
    m_graph->setMaxValue(100);
    m_graph->setGridHDist(10);
    m_graph->setGridVDist(10);
    m_graph->setVGridDir(sGraph::sg_Backward);
    m_graph->setFixedSize(300, 80);
    row->addWidget(m_graph);
    row->addStretch();
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CaptionsAndMeters::nextPoint);
    timer->start(50);
    return box;
}

void CaptionsAndMeters::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The graph has its size now: fill it at once, then a value comes every 50 ms.
    if (m_step == 0) {
        for (int i = 0; i < m_graph->NPoints(); ++i)
            nextPoint();
    }
}

void CaptionsAndMeters::nextPoint() {
    ++m_step;
    const double t = m_step * 0.08;
    m_graph->appendPointVal(
        static_cast<int>(std::lround(70 * std::sin(t) + 20 * std::sin(3.1 * t))));
    m_graph->Refresh();
}

QWidget* CaptionsAndMeters::meters() {
    auto* box = new QGroupBox(QStringLiteral("L2M2 and s2M2: move the slider"), this);
    auto* grid = new QGridLayout(box);
    auto* slider = new QSlider(Qt::Horizontal, box);
    slider->setRange(0, 60);
    grid->addWidget(slider, 0, 0, 1, 2);
    auto* leds = new L2M2(box);
    leds->setFixedHeight(14);
    auto* jumpy = new L2M2(box); // moves at most a tenth of its range per value
    jumpy->setNumLEDs(20);
    jumpy->setLedInnerWidth(3);
    jumpy->setLedOnColor(0x00C0FF);
    jumpy->setLedOnBorderColor(0x004080);
    jumpy->setMaxJumpRatio(0.1f);
    jumpy->setFixedHeight(14);
    auto* scale = new s2M2(box);
    scale->setFixedHeight(40);
    scale->setMinimumWidth(252);
    grid->addWidget(leds, 1, 0);
    grid->addWidget(jumpy, 1, 1);
    grid->addWidget(scale, 2, 0, 1, 2, Qt::AlignLeft);
    connect(slider, &QSlider::valueChanged, this, [leds, jumpy, scale](int v) {
        leds->setValue(v / 10.0f);
        jumpy->setValue(v / 10.0f);
        scale->setValue(v / 10.0f);
    });
    slider->setValue(37);
    auto* catchUp = new QTimer(this); // the jump-limited bar catches up with the slider
    connect(catchUp, &QTimer::timeout, this,
            [slider, jumpy] { jumpy->setValue(slider->value() / 10.0f); });
    catchUp->start(100);
    return box;
}
