#include "data/Layouts.h"

#include <array>

namespace {

FieldDef autoInc(const char *name)
{
    return {QString::fromLatin1(name), FieldType::AutoInc, 0};
}

FieldDef text(const char *name, int width)
{
    return {QString::fromLatin1(name), FieldType::Text, width};
}

FieldDef of(const char *name, FieldType type)
{
    return {QString::fromLatin1(name), type, 0};
}

constexpr auto kGrouped = "#,###,###,###.####";
constexpr auto kWide = "###,###,###,###.####";

struct FormatRow
{
    const char *store;
    const char *field;
    const char *display;
    const char *edit;
};

constexpr std::array<FormatRow, 19> kFormats{{
        {"ClientDataSet1", "Quantity", kGrouped, kGrouped},
        {"ClientDataSet1", "Extension", kGrouped, kGrouped},
        {"ClientDataSet1", "Difference", kGrouped, kGrouped},
        {"ClientDataSet1", "AveCost", "", kGrouped},
        {"ClientDataSet1", "PercentDiff", "", "###.##"},
        {"ClientDataSet6", "Quantity", kWide, ""},
        {"ClientDataSet6", "AveCost", kWide, ""},
        {"ClientDataSet6", "Difference", kWide, ""},
        {"ClientDataSet6", "Extension", kGrouped, kGrouped},
        {"ClientDataSet6", "PercentDiff", "###.###", ""},
        {"ClientDataSet2", "Quantity", kWide, ""},
        {"ClientDataSet2", "Price", kWide, ""},
        {"ClientDataSet2", "Extension", kWide, ""},
        {"ClientDataSet3", "Quantity", kWide, ""},
        {"ClientDataSet3", "Price", kWide, ""},
        {"ClientDataSet3", "Extension", kWide, ""},
        {"ClientDataSet3", "AveCost", kWide, ""},
        {"ClientDataSet3", "Difference", kWide, ""},
        {"ClientDataSet3", "PercentDiff", "###.###", ""},
}};

} // namespace

FieldList summaryFields()
{
    return {
            autoInc("ID"),
            text("FrstAccountNo", 20),
            text("AccountNo", 20),
            text("Symbol", 10),
            text("Name", 100),
            of("Quantity", FieldType::Number),
            of("Price", FieldType::Number),
            of("Extension", FieldType::Number),
            of("AveCost", FieldType::Number),
            of("Difference", FieldType::Number),
            of("PercentDiff", FieldType::Number),
            of("LastUpdated", FieldType::DateTime),
    };
}

FieldList transactionFields()
{
    return {
            autoInc("ID"),
            text("FrstAccountNo", 20),
            text("AccountNo", 20),
            text("Symbol", 10),
            text("Name", 100),
            of("Quantity", FieldType::Number),
            of("Price", FieldType::Number),
            of("Extension", FieldType::Number),
            of("TransDateDsp", FieldType::DateTime),
            text("Transaction", 20),
            text("TransactionDate", 22),
            of("LastUpdated", FieldType::DateTime),
    };
}

FieldList historyFields()
{
    FieldList fields = summaryFields();
    fields << text("TranType", 10) << text("DateCreated", 26);
    return fields;
}

FieldList accountFields()
{
    return {
            autoInc("ID"),
            text("FrstAccountNo", 20),
            text("AccountNo", 20),
            text("AccountName", 50),
            text("AccountDesc", 150),
            of("Total", FieldType::Number),
            of("NetAmt", FieldType::Number),
            text("DateCreated", 20),
            of("LastUpdated", FieldType::DateTime),
    };
}

FieldList optionsFields()
{
    return {
            autoInc("ID"),
            text("StartAccount", 20),
            text("AudioPath", 150),
            of("HistSaveBtn", FieldType::Boolean),
            of("HistQoteBtn", FieldType::Boolean),
            of("VertGrid", FieldType::Boolean),
            of("HorzGrid", FieldType::Boolean),
            of("PlayAudio", FieldType::Boolean),
            of("AutoQuote", FieldType::Boolean),
            of("QoteDelay", FieldType::Integer),
            text("Style", 30),
            of("DisplayAll", FieldType::Boolean),
            of("LastUpdated", FieldType::DateTime),
            of("Left", FieldType::Integer),
            of("Top", FieldType::Integer),
            of("Height", FieldType::Integer),
            of("Width", FieldType::Integer),
            of("CalcCstAveQte", FieldType::Boolean),
            of("GrdFontColor", FieldType::LargeInt),
    };
}

FieldList srchCodesFields()
{
    return {
            autoInc("ID"),
            text("SrchStckFr", 50),
            text("SrchStckTo", 2),
            text("SrchMutFdFr", 50),
            text("SrchMutFdTo", 2),
            of("LastUpdated", FieldType::DateTime),
    };
}

FieldList fieldsOfFile(QStringView fileName)
{
    if (fileName == TableFileName::Summary)
        return summaryFields();
    if (fileName == TableFileName::Purchases)
        return transactionFields();
    if (fileName == TableFileName::History || fileName == TableFileName::HistoryArcv)
        return historyFields();
    if (fileName == TableFileName::Accounts)
        return accountFields();
    if (fileName == TableFileName::Options)
        return optionsFields();
    if (fileName == TableFileName::SrchCodes)
        return srchCodesFields();
    return {};
}

FieldFormat fieldFormat(QStringView storeName, QStringView fieldName)
{
    for (const FormatRow &row : kFormats) {
        if (storeName == QLatin1String(row.store)
            && fieldName.compare(QLatin1String(row.field), Qt::CaseInsensitive) == 0)
            return {QString::fromLatin1(row.display), QString::fromLatin1(row.edit)};
    }
    return {};
}
