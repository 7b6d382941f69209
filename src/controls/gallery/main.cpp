#include "controls/gallery/GalleryWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPixmap>
#include <QStyleFactory>

#include <cstdio>

int main(int argc, char* argv[]) {
    // A screenshot needs no display: render offscreen unless the caller chose a platform.
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--screenshot") == 0 && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("glimmer-gallery"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(GalleryWindow::classicPalette());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows every Glimmer control in every style and state."));
    parser.addHelpOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"),
        QStringLiteral("Render the gallery to <file> (PNG) and quit."), QStringLiteral("file"));
    parser.addOption(screenshot);
    parser.process(app);

    GalleryWindow window;
    if (parser.isSet(screenshot)) {
        window.setAttribute(Qt::WA_DontShowOnScreen);
        window.show();
        QApplication::processEvents();
        const QString file = parser.value(screenshot);
        if (!window.grab().save(file, "PNG")) {
            std::fprintf(stderr, "glimmer-gallery: cannot write %s\n", qPrintable(file));
            return 1;
        }
        return 0;
    }
    window.show();
    return QApplication::exec();
}
