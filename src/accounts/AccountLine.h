#pragma once

#include <QString>

class TableStore;

// "AccountNo - AccountName - AccountDesc" of the store's current account row.
QString accountLineText(const TableStore &accounts);

// "Symbol - Name - q x p = e" of the store's current holding; the numbers in general form with
// the regional decimal separator, empty when null.
QString holdingLineText(const TableStore &holdings);

// The number part of a tree line: the text up to the blank before its first "- ", or the whole
// text when it has none.
QString accountLineNumber(const QString &line);

// The three boxes of the account panel, as filled from a line by "Edit Account Information".
struct AccountLineParts
{
    bool hasNumber = false;             // the line contains " - "
    bool hasNameAndDescription = false; // and a second " - " after the first
    QString number;
    QString name;
    QString description;
};
AccountLineParts splitAccountLine(const QString &line);
