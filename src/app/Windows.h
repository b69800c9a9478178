#pragma once

class TTillwick1;
class TMessageWin1;
class TPrntPrmt1;
class TSelectDate1;
class TReName1;
class TMergeAcc1;
class THelpWin1;
class THistArch1;

// The program's eight windows; they live from CreateWindows() to DestroyWindows().
extern TTillwick1 *Tillwick1;
extern TMessageWin1 *MessageWin1;
extern TPrntPrmt1 *PrntPrmt1;
extern TSelectDate1 *SelectDate1;
extern TReName1 *ReName1;
extern TMergeAcc1 *MergeAcc1;
extern THelpWin1 *HelpWin1;
extern THistArch1 *HistArch1;

// Creates the windows, the main window first.
void CreateWindows();
// Closes every table store, writing what is not yet written, and deletes the windows.
void DestroyWindows();
