#pragma once

#include <QList>
#include <QString>

// The value types a table field can hold. AutoInc is the read-only 32-bit row number the store
// gives every new row; LargeInt is a 64-bit integer; DateTime is a date with time of day kept to
// the millisecond.
enum class FieldType { AutoInc, Text, Number, Integer, LargeInt, Boolean, DateTime };

struct FieldDef
{
    QString name;
    FieldType type = FieldType::Text;
    int width = 0; // characters kept by a Text field; 0 for other types

    friend bool operator==(const FieldDef &, const FieldDef &) = default;
};

using FieldList = QList<FieldDef>;

// Position of the field named name, or -1.
int fieldIndex(const FieldList &fields, QStringView name);

// Stable names of the types, as written into table files.
QString fieldTypeName(FieldType type);
bool fieldTypeFromName(QStringView name, FieldType *type);
