#pragma once

#include <QWidget>

class QGridLayout;

/// One window showing every control of the library in every style and state.
class GalleryWindow : public QWidget {
    Q_OBJECT
public:
    explicit GalleryWindow(QWidget* parent = nullptr);

    /// A classic desktop palette, so the system colour scheme looks as the buttons were designed;
    /// set it on the application before building the window.
    static QPalette classicPalette();

private:
    QWidget* buttonStates();
    QWidget* buttonSchemes();
    QWidget* buttonPictures();
    QWidget* links();
    QWidget* frames();
};
