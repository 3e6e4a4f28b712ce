// The bench program: one window on the real desktop.
#include "app/form1.h"
#include "app/real_desktop.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    RealDesktop desktop;
    Form1 form(desktop);
    form.start();
    return app.exec();
}
