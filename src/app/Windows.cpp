#include "app/Windows.h"

#include "accounts/MergeAcc.h"
#include "app/MessageWin.h"
#include "app/Tillwick.h"
#include "help/HelpWin.h"
#include "ledger/HistArch.h"
#include "ledger/SelectDate.h"
#include "quotes/Rename.h"
#include "reports/PrntPrmt.h"

TTillwick1 *Tillwick1 = nullptr;
TMessageWin1 *MessageWin1 = nullptr;
TPrntPrmt1 *PrntPrmt1 = nullptr;
TSelectDate1 *SelectDate1 = nullptr;
TReName1 *ReName1 = nullptr;
TMergeAcc1 *MergeAcc1 = nullptr;
THelpWin1 *HelpWin1 = nullptr;
THistArch1 *HistArch1 = nullptr;

void CreateWindows()
{
    Tillwick1 = new TTillwick1;
    MessageWin1 = new TMessageWin1(Tillwick1);
    PrntPrmt1 = new TPrntPrmt1(Tillwick1);
    SelectDate1 = new TSelectDate1(Tillwick1);
    ReName1 = new TReName1(Tillwick1);
    MergeAcc1 = new TMergeAcc1(Tillwick1);
    HelpWin1 = new THelpWin1(Tillwick1);
    HistArch1 = new THistArch1(Tillwick1);
}

void DestroyWindows()
{
    if (Tillwick1)
        Tillwick1->closeAllStores();
    // The small windows are children of the main window and go with it.
    delete Tillwick1;
    Tillwick1 = nullptr;
    MessageWin1 = nullptr;
    PrntPrmt1 = nullptr;
    SelectDate1 = nullptr;
    ReName1 = nullptr;
    MergeAcc1 = nullptr;
    HelpWin1 = nullptr;
    HistArch1 = nullptr;
}
