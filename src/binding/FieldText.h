#pragma once

#include "data/Field.h"

#include <QCoreApplication>
#include <QString>
#include <QVariant>

// Field values as grids and edit boxes show them, and typed texts read back as values.
// Numbers read back the way the rest of the program reads cells: commas removed, "." as the point.
class FieldText
{
    Q_DECLARE_TR_FUNCTIONS(FieldText)

public:
    // The text of a cell as shown. A number goes through pattern when there is one, else in
    // general form; a null value is an empty text.
    static QString display(const QVariant &value, FieldType type, const QString &pattern = QString());
    // The text of a value while it is edited, in a cell or an edit box; it reads back through read().
    static QString edit(const QVariant &value, FieldType type, const QString &pattern = QString());

    // Reads text typed for a field of type. An empty number reads as 0, as the program reads empty
    // cells. False, with a message naming the text and columnName, when the text is no such value.
    static bool
    read(const QString &text, FieldType type, const QString &columnName, QVariant *value, QString *error);

    // The system's short date and time with a four-digit year and seconds, so an edited text
    // reads back without guessing the century.
    static QString dateTimeEditFormat();
};
