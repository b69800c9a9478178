#include "app/Tillwick.h"
#include "help/HelpWin.h"

// The main window asks for no section of its own: the help window picks the active tab's.
void TTillwick1::THelpBtnClick()
{
    THelpWin1::showHelp(this);
}
