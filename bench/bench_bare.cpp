// The yardstick for start-up and memory: a bare Qt program with one main window and one label.
// With `--bench-size` the label takes the bench's 640 × 480 pixels, so that the window's store is as
// large as the bench's: at a pixel ratio of 2 filling a store that size costs a thousand page
// faults more than the label's own size does.
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
    if (argc > 1 && QByteArray(argv[1]) == "--bench-size")
        label->setFixedSize(640, 480);
    probe.built = probe.clock.nsecsElapsed() / 1e6;
    label->installEventFilter(&probe);
    window.show();
    return app.exec();
}
