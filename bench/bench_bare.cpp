// The yardstick for start-up and memory: a bare Qt program with one main window and one label.
#include "first_frame.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    FirstFrame probe;
    probe.clock.start();
    QApplication app(argc, argv);
    QMainWindow window;
    auto *label = new QLabel(QStringLiteral("Моделирование моста Корвела"));
    window.setCentralWidget(label);
    probe.built = probe.clock.nsecsElapsed() / 1e6;
    label->installEventFilter(&probe);
    window.show();
    return app.exec();
}
