// The bench program: one window on the real desktop.
#include "app/bench_window.h"
#include "app/real_desktop.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Lets the desktop match the window to the bench's menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(KORVEL_APP_ID));
    RealDesktop desktop;
    BenchWindow window(desktop);
    // Leaving ends every event loop at once, a box's or a pause's too: nothing waits for them.
    QObject::connect(&window, &BenchWindow::ended, &app, [] { QCoreApplication::exit(0); });
    window.start();
    return app.exec();
}
