#include "app/document/DocumentController.h"
#include "app/fMain.h"
#include "app/shell/DarkPalette.h"
#include "app/shell/UserPrompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

/// For the start-up benchmark: ends the program once the main window has been painted and
/// prints the milliseconds from process start (NOTARO_EXIT_AFTER_PAINT set).
class FirstPaintProbe : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            QTimer::singleShot(0, qApp, [] {
                std::printf("first paint\n");
                std::fflush(stdout);
                QApplication::exit(0);
            });
            qApp->removeEventFilter(this);
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("notaro"));
    QApplication::setDesktopFileName(QStringLiteral("notaro"));

    FirstPaintProbe probe;
    if (std::getenv("NOTARO_EXIT_AFTER_PAINT"))
        app.installEventFilter(&probe);

    // --dark: light text on dark grounds, whatever the desktop's colours.
    QStringList args = QApplication::arguments();
    if (args.removeAll(QStringLiteral("--dark")) > 0)
        QApplication::setPalette(notaro::app::darkPalette());

    notaro::app::fMain window(notaro::app::desktopPrompts());
    window.show();
    if (args.size() > 1)
        window.document().openFile(args.at(1));
    window.offerRecovery();
    return QApplication::exec();
}
