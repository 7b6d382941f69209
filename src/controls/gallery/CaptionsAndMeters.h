#pragma once

#include <QWidget>

namespace glimmer {
class L2M2;
class s2M2;
class sGraph;
} // namespace glimmer

/// The gallery's second column: every gradient, the caption bar's alignments and its
/// see-through background, a graph that scrolls, and meters driven by a slider.
class CaptionsAndMeters : public QWidget {
    Q_OBJECT
public:
    explicit CaptionsAndMeters(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* gradients();
    QWidget* captions();
    QWidget* graph();
    QWidget* meters();
    void nextPoint();

    glimmer::sGraph* m_graph = nullptr;
    int m_step = 0;
};
