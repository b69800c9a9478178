#include "help/HelpWin.h"

#include "app/Tillwick.h"

THelpWin1::THelpWin1(TTillwick1 *main)
    : QDialog(main)
{
    setObjectName(QStringLiteral("HelpWin1"));
    setWindowTitle(QStringLiteral("Help with Tillwick"));
    resize(450, 400);
}
