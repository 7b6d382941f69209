#include <glimmer/sGraph.h>

#include "controls/AccessibleFactory.h"
#include "controls/PropertyTable.h"

#include "controls/GraphRing.h"

#include <glimmer/AboutBox.h>
#include <glimmer/ControlError.h>
#include <glimmer/OleColor.h>

#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <vector>

namespace glimmer {

namespace {

constexpr int SmallestSide = 5;
constexpr int SmallestGridDistance = 4;

} // namespace

struct GLIMMER_NO_EXPORT sGraph::Private {
    explicit Private(sGraph* control) : q(control) {}

    sGraph* q;
    bool quiet = false;
    quint32 backColor = OleColor::ButtonFace;
    quint32 gridColor = 0xE0E0E0;
    quint32 plotColor = 0x0000E0;
    quint32 borderColor = 0;
    quint32 darkShadowColor = 0x80000010;
    quint32 lightShadowColor = 0x80000016;
    sg_LevelEnum level = sg_Flat;
    int minValue = 0;
    int maxValue = 20;
    int gridHDist = 6;
    int gridVDist = 5;
    sg_VGridDir vGridDir = sg_Forward;
    GraphRing ring;
    bool designMode = false;

    static const PropertyTable<Private>& table();

    /// Every property shows in the picture alone; the grid distances also in the size hints.
    void apply(unsigned effects) {
        if (effects & effect::Relayout)
            q->updateGeometry();
        q->Refresh();
    }

    void checkIndex(int ith) const {
        if (ith < 0 || ith >= ring.size())
            throw ControlError(SubscriptOutOfRange, QStringLiteral("sGraph"),
                               QStringLiteral("subscript out of range"));
    }
};

sGraph::sGraph(QWidget* parent) : QWidget(parent), d(std::make_unique<Private>(this)) {
    setMinimumSize(SmallestSide, SmallestSide);
    accessibility::installFactory();
    connect(this, &sGraph::propertyChanged, this,
            [this](const QString& key) { accessibility::reportChange(this, key); });
}

sGraph::~sGraph() = default;

quint32 sGraph::BackColor() const {
    return d->backColor;
}
quint32 sGraph::GridColor() const {
    return d->gridColor;
}
quint32 sGraph::PlotColor() const {
    return d->plotColor;
}
quint32 sGraph::BorderColor() const {
    return d->borderColor;
}
quint32 sGraph::DarkShadowColor() const {
    return d->darkShadowColor;
}
quint32 sGraph::LightShadowColor() const {
    return d->lightShadowColor;
}
sGraph::sg_LevelEnum sGraph::level() const {
    return d->level;
}
int sGraph::MinValue() const {
    return d->minValue;
}
int sGraph::MaxValue() const {
    return d->maxValue;
}
int sGraph::GridHDist() const {
    return d->gridHDist;
}
int sGraph::GridVDist() const {
    return d->gridVDist;
}
sGraph::sg_VGridDir sGraph::VGridDir() const {
    return d->vGridDir;
}
int sGraph::NPoints() const {
    return d->ring.size();
}
int sGraph::StartPoint() const {
    return d->ring.start();
}
bool sGraph::designMode() const {
    return d->designMode;
}

void sGraph::setBackColor(quint32 v) {
    assign(*d, &Private::backColor, v);
}
void sGraph::setGridColor(quint32 v) {
    assign(*d, &Private::gridColor, v);
}
void sGraph::setPlotColor(quint32 v) {
    assign(*d, &Private::plotColor, v);
}
void sGraph::setBorderColor(quint32 v) {
    assign(*d, &Private::borderColor, v);
}
void sGraph::setDarkShadowColor(quint32 v) {
    assign(*d, &Private::darkShadowColor, v);
}
void sGraph::setLightShadowColor(quint32 v) {
    assign(*d, &Private::lightShadowColor, v);
}
void sGraph::setLevel(sg_LevelEnum value) {
    assign(*d, &Private::level, value);
}
void sGraph::setMinValue(int value) {
    assign(*d, &Private::minValue, std::min(value, d->maxValue));
}
void sGraph::setMaxValue(int value) {
    assign(*d, &Private::maxValue, std::max(value, d->minValue));
}
void sGraph::setGridHDist(int value) {
    assign(*d, &Private::gridHDist, std::max(value, SmallestGridDistance));
}
void sGraph::setGridVDist(int value) {
    assign(*d, &Private::gridVDist, std::max(value, SmallestGridDistance));
}
void sGraph::setVGridDir(sg_VGridDir value) {
    assign(*d, &Private::vGridDir, value);
}

QSize sGraph::sizeHint() const {
    return QSize(2 + 20 * d->gridHDist, 2 + 10 * d->gridVDist);
}

QSize sGraph::minimumSizeHint() const {
    return QSize(2 + 2 * d->gridHDist, 2 + 2 * d->gridVDist);
}

int sGraph::pointVal(int ith) const {
    d->checkIndex(ith);
    return d->ring.at(ith);
}

void sGraph::setPointVal(int ith, int value) {
    d->checkIndex(ith);
    d->ring.set(ith, value);
    Refresh();
}

void sGraph::appendPointVal(int value) {
    d->ring.append(value);
}

void sGraph::prependPointVal(int value) {
    d->ring.prepend(value);
}

void sGraph::resetValues() {
    d->ring.reset();
    Refresh();
}

void sGraph::setDesignMode(bool on) {
    d->designMode = on;
    update();
}

void sGraph::showAbout() {
    AboutBox::showModal(this);
}

void sGraph::Refresh() {
    update();
}

void sGraph::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (width() < SmallestSide || height() < SmallestSide) {
        resize(std::max(width(), SmallestSide), std::max(height(), SmallestSide));
        return;
    }
    d->ring.resize(std::max(width() - 2, 1));
    Refresh();
}

void sGraph::paintEvent(QPaintEvent*) {
    QPainter p(this);
    auto colour = [this](quint32 v) { return OleColor::toColor(v, palette()); };
    const int w = width();
    const int h = height();
    p.fillRect(rect(), colour(d->backColor));

    // Border: one pixel round the edge.
    if (d->level == sg_Flat) {
        p.setPen(colour(d->borderColor));
        p.drawRect(0, 0, w - 1, h - 1);
    } else {
        const QColor light = colour(d->lightShadowColor);
        const QColor dark = colour(d->darkShadowColor);
        const QColor topLeft = d->level == sg_Raised ? light : dark;
        const QColor bottomRight = d->level == sg_Raised ? dark : light;
        p.fillRect(0, 0, w, 1, topLeft);
        p.fillRect(0, 0, 1, h, topLeft);
        p.fillRect(0, h - 1, w, 1, bottomRight);
        p.fillRect(w - 1, 0, 1, h, bottomRight);
    }

    // Grid: horizontal lines up from the bottom, vertical lines from the chosen side.
    const QColor grid = colour(d->gridColor);
    for (int y = h - 2; y >= 1; y -= d->gridVDist)
        p.fillRect(1, y, w - 2, 1, grid);
    if (d->vGridDir == sg_Forward) {
        for (int x = 1; x <= w - 2; x += d->gridHDist)
            p.fillRect(x, 1, 1, h - 3, grid);
    } else {
        for (int x = w - 2; x >= 1; x -= d->gridHDist)
            p.fillRect(x, 1, 1, h - 3, grid);
    }

    if (d->designMode)
        return;
    const int n = d->ring.size();
    const int64_t range = int64_t(d->maxValue) - d->minValue;
    const int64_t top = h - 3;
    std::vector<QPoint> points;
    points.reserve(static_cast<size_t>(n));
    for (int k = 1; k <= n; ++k) {
        int64_t y = 0;
        if (range > 0)
            y = std::clamp((int64_t(d->ring.point(k)) - d->minValue) * top / range, int64_t(0),
                           top);
        points.emplace_back(k, h - 2 - static_cast<int>(y));
    }
    p.setPen(colour(d->plotColor));
    if (points.size() == 1)
        p.drawPoint(points.front());
    else
        p.drawPolyline(points.data(), static_cast<int>(points.size()));
}

const PropertyTable<sGraph::Private>& sGraph::Private::table() {
    using P = Private;
    using Init = PropertyInit;
    using effect::Relayout;
    // clang-format off
    static const PropertyTable<P> rows(PropertyTable<P>::WithDefaults, &P::apply, {
        {"BackColor", fixedDefault(OleColor::ButtonFace), memberAccess(&P::backColor), Init::Keep},
        {"GridColor", fixedDefault(0xE0E0E0), memberAccess(&P::gridColor), Init::AsDefault},
        {"PlotColor", fixedDefault(0x0000E0), memberAccess(&P::plotColor), Init::AsDefault},
        {"BorderColor", fixedDefault(0), memberAccess(&P::borderColor), Init::AsDefault},
        {"DarkShadowColor", fixedDefault(0x80000010u), memberAccess(&P::darkShadowColor), Init::AsDefault},
        {"LightShadowColor", fixedDefault(0x80000016u), memberAccess(&P::lightShadowColor), Init::AsDefault},
        {"level", "Level", fixedDefault(sg_Flat), memberAccess(&P::level), Init::AsDefault, {sg_Flat, sg_Sunken}},
        {"MinValue", fixedDefault(0), memberAccess(&P::minValue), Init::AsDefault},
        {"MaxValue", fixedDefault(20), memberAccess(&P::maxValue), Init::AsDefault},
        {"GridHDist", fixedDefault(6), memberAccess(&P::gridHDist), Init::AsDefault, {}, Relayout},
        {"GridVDist", fixedDefault(5), memberAccess(&P::gridVDist), Init::AsDefault, {}, Relayout},
        {"VGridDir", fixedDefault(sg_Forward), memberAccess(&P::vGridDir), Init::AsDefault, {sg_Forward, sg_Backward}}});
    // clang-format on
    return rows;
}

void sGraph::InitProperties() {
    Private::table().init(*d, QString());
    // A new graph takes the host's background.
    const QWidget* host = parentWidget() ? parentWidget() : this;
    d->backColor = OleColor::fromColor(host->palette().color(host->backgroundRole()));
    Refresh();
}

void sGraph::ReadProperties(const PropertyBag& bag) {
    Private::table().load(*d, bag);
    // Values from a bag obey the same bounds as the setters.
    d->gridHDist = std::max(d->gridHDist, SmallestGridDistance);
    d->gridVDist = std::max(d->gridVDist, SmallestGridDistance);
    d->maxValue = std::max(d->maxValue, d->minValue);
    d->apply(effect::Relayout);
}

void sGraph::WriteProperties(PropertyBag& bag) const {
    Private::table().write(*d, bag);
}

} // namespace glimmer
