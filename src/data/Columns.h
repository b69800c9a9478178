#pragma once

#include "data/Field.h"
#include "data/TextPool.h"

#include <QVariant>

#include <vector>

// Row values kept column by column as plain values: numbers as doubles, date-times as
// milliseconds since the epoch, texts as indices into a pool of distinct texts. Row r of
// the table is element r of every column.
class Columns
{
public:
    enum RowFlag : quint8 {
        Dirty = 1,     // inserted or changed since the last write
        Persisted = 2, // the file holds this row under its key
        Deleted = 4,   // removed; kept until the table is compacted
    };

    void reset(const FieldList &fields);
    const FieldList &fields() const { return m_fields; }
    int fieldCount() const { return int(m_fields.size()); }
    quint32 rowCount() const { return quint32(m_keys.size()); }

    // Appends a row of nulls and returns its number.
    quint32 appendRow(quint32 key);
    void popRow();
    void reserve(quint32 rows);
    // The same, for rows about to be read: the memory is backed at once.
    void reserveForLoad(quint32 rows);

    QVariant value(quint32 row, int field) const;
    // Stores value as the field's type; false when it cannot be read as that type.
    bool setValue(quint32 row, int field, const QVariant &value);
    bool isNull(quint32 row, int field) const { return m_nulls[row] & (quint64(1) << field); }
    void setNull(quint32 row, int field, bool null);

    // Raw access for the hot paths (sorting, filtering, reading and writing files).
    double number(quint32 row, int field) const { return m_cols[field].numbers[row]; }
    qint64 integer(quint32 row, int field) const { return m_cols[field].integers[row]; }
    quint32 textIndex(quint32 row, int field) const { return m_cols[field].texts[row]; }
    const TextPool &pool(int field) const { return m_cols[field].pool; }
    void setNumber(quint32 row, int field, double v);
    void setInteger(quint32 row, int field, qint64 v);
    void setTextUtf8(quint32 row, int field, const char *data, qsizetype size);

    quint32 key(quint32 row) const { return m_keys[row]; }
    quint8 flags(quint32 row) const { return m_flags[row]; }
    void setFlags(quint32 row, quint8 flags) { m_flags[row] = flags; }

    // Three-way comparison of one field of two rows; nulls sort first.
    int compare(quint32 a, quint32 b, int field) const;

    // Whole columns, for a reader that fills a table row by row without going through values.
    // Every vector must end up with the same length.
    std::vector<double> &numbersOf(int field) { return m_cols[field].numbers; }
    std::vector<qint64> &integersOf(int field) { return m_cols[field].integers; }
    std::vector<quint32> &textsOf(int field) { return m_cols[field].texts; }
    TextPool &poolOf(int field) { return m_cols[field].pool; }
    std::vector<quint64> &nullMasks() { return m_nulls; }
    std::vector<quint32> &keys() { return m_keys; }
    std::vector<quint8> &allFlags() { return m_flags; }

    // Drops the rows flagged Deleted; returns the old-to-new row map (UINT32_MAX for dropped rows).
    std::vector<quint32> compact();

private:
    struct Column
    {
        FieldType type = FieldType::Text;
        std::vector<double> numbers;  // Number
        std::vector<qint64> integers; // AutoInc, Integer, LargeInt, Boolean, DateTime (msecs)
        std::vector<quint32> texts;   // Text: index into pool
        TextPool pool;
    };

    FieldList m_fields;
    std::vector<Column> m_cols;
    std::vector<quint64> m_nulls;
    std::vector<quint32> m_keys;
    std::vector<quint8> m_flags;
};

bool isIntegerStored(FieldType type);
