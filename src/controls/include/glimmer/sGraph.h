#pragma once

#include <glimmer/glimmer_export.h>

#include <QWidget>

#include <memory>

namespace glimmer {

class PropertyBag;

/// A scrolling line graph over a grid. The values form a ring with one value per pixel column
/// inside the border: appending a value drops the oldest one, so the graph scrolls.
class GLIMMER_EXPORT sGraph : public QWidget {
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(quint32 GridColor READ GridColor WRITE setGridColor)
    Q_PROPERTY(quint32 PlotColor READ PlotColor WRITE setPlotColor)
    Q_PROPERTY(quint32 BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(quint32 DarkShadowColor READ DarkShadowColor WRITE setDarkShadowColor)
    Q_PROPERTY(quint32 LightShadowColor READ LightShadowColor WRITE setLightShadowColor)
    Q_PROPERTY(sg_LevelEnum level READ level WRITE setLevel)
    Q_PROPERTY(int MinValue READ MinValue WRITE setMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE setMaxValue)
    Q_PROPERTY(int GridHDist READ GridHDist WRITE setGridHDist)
    Q_PROPERTY(int GridVDist READ GridVDist WRITE setGridVDist)
    Q_PROPERTY(sg_VGridDir VGridDir READ VGridDir WRITE setVGridDir)
    Q_PROPERTY(int NPoints READ NPoints)
    Q_PROPERTY(int StartPoint READ StartPoint)

public:
    enum sg_LevelEnum : int { sg_Flat = 0, sg_Raised = 1, sg_Sunken = 2 };
    Q_ENUM(sg_LevelEnum)
    enum sg_VGridDir : int { sg_Forward = 0, sg_Backward = 1 };
    Q_ENUM(sg_VGridDir)

    explicit sGraph(QWidget* parent = nullptr);
    ~sGraph() override;

    quint32 BackColor() const;
    void setBackColor(quint32 value);
    quint32 GridColor() const;
    void setGridColor(quint32 value);
    quint32 PlotColor() const;
    void setPlotColor(quint32 value);
    quint32 BorderColor() const;
    void setBorderColor(quint32 value);
    quint32 DarkShadowColor() const;
    void setDarkShadowColor(quint32 value);
    quint32 LightShadowColor() const;
    void setLightShadowColor(quint32 value);
    sg_LevelEnum level() const;
    void setLevel(sg_LevelEnum value);
    /// The value drawn on the bottom line; never above MaxValue.
    int MinValue() const;
    void setMinValue(int value);
    /// The value drawn on the top line; never below MinValue.
    int MaxValue() const;
    void setMaxValue(int value);
    /// Pixels between vertical grid lines (at least 4).
    int GridHDist() const;
    void setGridHDist(int value);
    /// Pixels between horizontal grid lines (at least 4).
    int GridVDist() const;
    void setGridVDist(int value);
    /// Whether the vertical grid starts at the left edge or at the right one.
    sg_VGridDir VGridDir() const;
    void setVGridDir(sg_VGridDir value);
    /// Number of values: the inside width in pixels.
    int NPoints() const;
    /// The ring slot the next value goes to.
    int StartPoint() const;

    /// Ring slot @p ith; raises ControlError (SubscriptOutOfRange) outside 0 … NPoints − 1.
    int pointVal(int ith) const;
    /// Writes ring slot @p ith and repaints; raises like pointVal.
    void setPointVal(int ith, int value);
    /// Stores @p value at StartPoint and moves it forward; repaints only on Refresh.
    void appendPointVal(int value);
    /// Stores @p value at StartPoint and moves it back; repaints only on Refresh.
    void prependPointVal(int value);
    /// All values 0, StartPoint 0, and a repaint.
    void resetValues();

    /// In a form designer the grid shows without the plot. Only the Designer plugin turns this
    /// on, for the graphs it places; a form loaded at run time (QUiLoader, uic) plots.
    void setDesignMode(bool on);
    bool designMode() const;

    /// Twenty grid columns by ten grid rows inside the border.
    QSize sizeHint() const override;
    /// Two grid columns by two grid rows inside the border.
    QSize minimumSizeHint() const override;

    void InitProperties();
    /// Reads every property from @p bag (absent ones take their defaults); raises PropertyError.
    void ReadProperties(const PropertyBag& bag);
    /// Writes every property into @p bag, each with its default.
    void WriteProperties(PropertyBag& bag) const;

public Q_SLOTS:
    void showAbout();
    void Refresh();

Q_SIGNALS:
    /// A persisted property changed; @p key is its property-bag key.
    void propertyChanged(const QString& key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace glimmer
