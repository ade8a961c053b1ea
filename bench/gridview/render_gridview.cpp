// Renders a grid of 30 trains with a selection and a cut marker to a PNG, to look at:
// render_gridview <file.png> [column to edit on row 3]
#include "fonts.h"
#include "samples.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Fonts::InstallSubstitutions();
    CVeldenDoc doc;
    doc.ResetTimetable(Samples::Grid(30));
    CVeldenView view(&doc);
    view.resize(820, 480);
    view.show();
    view.OnInitialUpdate();
    view.SelectCell(3, 4);
    view.State().m_nCopySrcRow = 6;
    view.State().m_bCutMark = true;
    if (argc > 2) { // a column to edit on row 3
        view.SelectCell(QByteArray(argv[2]).toInt(), 3);
        view.BeginEdit();
    }
    QApplication::processEvents();
    return view.grab().save(argc > 1 ? QString::fromLocal8Bit(argv[1])
                                     : QStringLiteral("gridview.png"))
               ? 0
               : 1;
}
