// A MARVO that starts on the file it is given, renames its first train as a user would by
// typing, and runs until it is killed: the program tst_recovery kills.
#include "docmanager.h"
#include "mainframe.h"
#include "sjis.h"
#include "timetableedit.h"
#include "veldenapp.h"
#include "veldendoc.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    CVeldenApp app;
    if (!app.InitInstance(application.arguments().mid(1)) || !app.MainFrame())
        return 1;
    CVeldenDoc* doc = app.MainFrame()->DocManager()->ActiveDocument();
    tagTRAININFO train = doc->Timetable().m_TrainInfo.ElementAt(1);
    train.strName = Sjis::FromUtf8("かいじ");
    doc->ApplyCellEdit(TimetableEdit().SetTrain(1, train), QStringLiteral("列車名の編集"),
                       doc->NewEditSession());
    return application.exec();
}
