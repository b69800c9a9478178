#include "data/Columns.h"

#include <QDateTime>
#include <algorithm>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

#include <cmath>
#include <limits>

bool isIntegerStored(FieldType type)
{
    return type != FieldType::Text && type != FieldType::Number;
}

void Columns::reset(const FieldList &fields)
{
    Q_ASSERT(fields.size() <= 64);
    m_fields = fields;
    m_cols.clear();
    m_cols.resize(fields.size());
    for (int i = 0; i < fields.size(); ++i)
        m_cols[i].type = fields.at(i).type;
    m_nulls.clear();
    m_keys.clear();
    m_flags.clear();
}

quint32 Columns::appendRow(quint32 key)
{
    for (Column &c : m_cols) {
        switch (c.type) {
        case FieldType::Text:
            c.texts.push_back(0);
            break;
        case FieldType::Number:
            c.numbers.push_back(0.0);
            break;
        default:
            c.integers.push_back(0);
        }
    }
    m_nulls.push_back(m_fields.size() == 64 ? ~quint64(0) : (quint64(1) << m_fields.size()) - 1);
    m_keys.push_back(key);
    m_flags.push_back(0);
    return rowCount() - 1;
}

void Columns::popRow()
{
    for (Column &c : m_cols) {
        switch (c.type) {
        case FieldType::Text:
            c.texts.pop_back();
            break;
        case FieldType::Number:
            c.numbers.pop_back();
            break;
        default:
            c.integers.pop_back();
        }
    }
    m_nulls.pop_back();
    m_keys.pop_back();
    m_flags.pop_back();
}

namespace {
// Touching fresh memory page by page is slow in virtual machines; asking the kernel to back the
// reserved space at once is much cheaper. Old kernels refuse, which only costs the speed-up.
template<typename T>
void backWithMemory(std::vector<T> &v)
{
#ifdef Q_OS_LINUX
    constexpr int kPopulateWrite = 23; // MADV_POPULATE_WRITE, Linux 5.14
    const quintptr page = 4096;
    const quintptr begin = (quintptr(v.data()) + page - 1) & ~(page - 1);
    const quintptr end = quintptr(v.data() + v.capacity()) & ~(page - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, kPopulateWrite);
#else
    Q_UNUSED(v);
#endif
}
} // namespace

void Columns::reserve(quint32 rows)
{
    for (Column &c : m_cols) {
        switch (c.type) {
        case FieldType::Text:
            c.texts.reserve(rows);
            break;
        case FieldType::Number:
            c.numbers.reserve(rows);
            break;
        default:
            c.integers.reserve(rows);
        }
    }
    m_nulls.reserve(rows);
    m_keys.reserve(rows);
    m_flags.reserve(rows);
}

void Columns::reserveForLoad(quint32 rows)
{
    // Room to grow: the first append after a load must not copy every column of a large table.
    reserve(rows + std::max<quint32>(1024, rows / 64));
    for (Column &c : m_cols) {
        backWithMemory(c.texts);
        backWithMemory(c.numbers);
        backWithMemory(c.integers);
    }
    backWithMemory(m_nulls);
    backWithMemory(m_keys);
    backWithMemory(m_flags);
}

QVariant Columns::value(quint32 row, int field) const
{
    if (isNull(row, field))
        return {};
    const Column &c = m_cols[field];
    switch (c.type) {
    case FieldType::Text:
        return c.pool.at(c.texts[row]);
    case FieldType::Number:
        return c.numbers[row];
    case FieldType::AutoInc:
    case FieldType::Integer:
        return int(c.integers[row]);
    case FieldType::LargeInt:
        return qlonglong(c.integers[row]);
    case FieldType::Boolean:
        return c.integers[row] != 0;
    case FieldType::DateTime:
        return QDateTime::fromMSecsSinceEpoch(c.integers[row]);
    }
    return {};
}

void Columns::setNull(quint32 row, int field, bool null)
{
    if (null)
        m_nulls[row] |= quint64(1) << field;
    else
        m_nulls[row] &= ~(quint64(1) << field);
}

void Columns::setNumber(quint32 row, int field, double v)
{
    m_cols[field].numbers[row] = v;
    setNull(row, field, false);
}

void Columns::setInteger(quint32 row, int field, qint64 v)
{
    m_cols[field].integers[row] = v;
    setNull(row, field, false);
}

void Columns::setTextUtf8(quint32 row, int field, const char *data, qsizetype size)
{
    Column &c = m_cols[field];
    c.texts[row] = c.pool.internUtf8(data, size);
    setNull(row, field, false);
}

namespace {
bool toInteger(const QVariant &value, qint64 min, qint64 max, qint64 *out)
{
    bool ok = false;
    qint64 v = 0;
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double d = value.toDouble();
        ok = std::isfinite(d) && d == std::trunc(d) && d >= double(min) && d <= double(max);
        v = qint64(d);
    } else if (value.typeId() == QMetaType::QString) {
        v = value.toString().trimmed().toLongLong(&ok);
    } else {
        v = value.toLongLong(&ok);
    }
    if (!ok || v < min || v > max)
        return false;
    *out = v;
    return true;
}
} // namespace

bool Columns::setValue(quint32 row, int field, const QVariant &value)
{
    if (value.isNull() && value.typeId() != QMetaType::QString) {
        setNull(row, field, true);
        return true;
    }
    Column &c = m_cols[field];
    switch (c.type) {
    case FieldType::Text: {
        QString text = value.toString();
        const int width = m_fields.at(field).width;
        if (width > 0 && text.size() > width)
            text.truncate(width);
        c.texts[row] = c.pool.intern(text);
        break;
    }
    case FieldType::Number: {
        bool ok = false;
        const double d = value.typeId() == QMetaType::QString ? value.toString().trimmed().toDouble(&ok)
                                                              : value.toDouble(&ok);
        if (!ok)
            return false;
        c.numbers[row] = d;
        break;
    }
    case FieldType::AutoInc:
    case FieldType::Integer: {
        qint64 v = 0;
        if (!toInteger(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(), &v))
            return false;
        c.integers[row] = v;
        break;
    }
    case FieldType::LargeInt: {
        qint64 v = 0;
        if (!toInteger(value, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), &v))
            return false;
        c.integers[row] = v;
        break;
    }
    case FieldType::Boolean:
        if (value.typeId() == QMetaType::QString) {
            const QString s = value.toString().trimmed();
            if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s == QLatin1String("1"))
                c.integers[row] = 1;
            else if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || s == QLatin1String("0"))
                c.integers[row] = 0;
            else
                return false;
        } else {
            if (!value.canConvert<bool>())
                return false;
            c.integers[row] = value.toBool() ? 1 : 0;
        }
        break;
    case FieldType::DateTime: {
        QDateTime dt = value.toDateTime();
        if (!dt.isValid() && value.typeId() == QMetaType::QDate)
            dt = value.toDate().startOfDay();
        if (!dt.isValid())
            return false;
        c.integers[row] = dt.toMSecsSinceEpoch();
        break;
    }
    }
    setNull(row, field, false);
    return true;
}

int Columns::compare(quint32 a, quint32 b, int field) const
{
    const bool na = isNull(a, field);
    const bool nb = isNull(b, field);
    if (na || nb)
        return int(nb) - int(na);
    const Column &c = m_cols[field];
    switch (c.type) {
    case FieldType::Text: {
        const quint32 ta = c.texts[a];
        const quint32 tb = c.texts[b];
        if (ta == tb)
            return 0;
        return QString::compare(c.pool.at(ta), c.pool.at(tb), Qt::CaseSensitive) < 0 ? -1 : 1;
    }
    case FieldType::Number: {
        const double x = c.numbers[a];
        const double y = c.numbers[b];
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    default: {
        const qint64 x = c.integers[a];
        const qint64 y = c.integers[b];
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    }
}

std::vector<quint32> Columns::compact()
{
    std::vector<quint32> map(rowCount(), std::numeric_limits<quint32>::max());
    quint32 out = 0;
    for (quint32 r = 0; r < rowCount(); ++r) {
        if (m_flags[r] & Deleted)
            continue;
        map[r] = out;
        if (out != r) {
            for (Column &c : m_cols) {
                switch (c.type) {
                case FieldType::Text:
                    c.texts[out] = c.texts[r];
                    break;
                case FieldType::Number:
                    c.numbers[out] = c.numbers[r];
                    break;
                default:
                    c.integers[out] = c.integers[r];
                }
            }
            m_nulls[out] = m_nulls[r];
            m_keys[out] = m_keys[r];
            m_flags[out] = m_flags[r];
        }
        ++out;
    }
    while (rowCount() > out)
        popRow();
    return map;
}
