#include "app/Tillwick.h"
#include "app/Windows.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tillwick"));
    CreateWindows();
    Tillwick1->show();
    const int code = app.exec();
    DestroyWindows();
    return code;
}
