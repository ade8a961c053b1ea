#include "veldenapp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    CVeldenApp app;
    if (!app.InitInstance(application.arguments().mid(1)))
        return 1;
    if (!app.MainFrame()) // the files went to the program already running
        return 0;
    return application.exec();
}
