#pragma once

#include "data/Field.h"

#include <QLatin1String>
#include <QString>
#include <QStringView>

// The record layouts of the table files. Field order is part of each layout: the
// program reaches fields by position and copies rows position by position.
FieldList summaryFields();
FieldList transactionFields();
FieldList historyFields(); // History.cds and HistoryArcv.cds
FieldList accountFields();
FieldList optionsFields();
FieldList srchCodesFields();

namespace TableFileName {
inline constexpr QLatin1String Summary{"Summary.cds"};
inline constexpr QLatin1String Purchases{"Purchases.cds"};
inline constexpr QLatin1String History{"History.cds"};
inline constexpr QLatin1String HistoryArcv{"HistoryArcv.cds"};
inline constexpr QLatin1String Accounts{"Accounts.cds"};
inline constexpr QLatin1String Options{"Options.cds"};
inline constexpr QLatin1String SrchCodes{"SrchCodes.cds"};
} // namespace TableFileName

// The layout of the table file named fileName (one of TableFileName), or an empty list.
FieldList fieldsOfFile(QStringView fileName);

// Display and edit format of a number field in a store;
// an empty pattern means none: the value is shown in general number form.
struct FieldFormat
{
    QString display;
    QString edit;

    friend bool operator==(const FieldFormat &, const FieldFormat &) = default;
};

// storeName is the main window's store: "ClientDataSet1", "ClientDataSet6", "ClientDataSet2" or
// "ClientDataSet3". Field names compare without regard to case, as the store's field lookup does.
FieldFormat fieldFormat(QStringView storeName, QStringView fieldName);
