// The rows shown by a table store: index order and filter.
#include "data/TableStore.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>
#include <numeric>

namespace {
template<typename T>
bool compareOp(const T &a, const T &b, FilterOp op)
{
    switch (op) {
    case FilterOp::Equal:
        return a == b;
    case FilterOp::NotEqual:
        return a != b;
    case FilterOp::Less:
        return a < b;
    case FilterOp::LessEqual:
        return a <= b;
    case FilterOp::Greater:
        return a > b;
    case FilterOp::GreaterEqual:
        return a >= b;
    }
    return false;
}

// A term's literal in the form the column keeps its values.
qint64 integerLiteral(const FilterTerm &term, FieldType type)
{
    switch (type) {
    case FieldType::Boolean:
        return term.literal.toBool() ? 1 : 0;
    case FieldType::DateTime:
        return term.literal.toDateTime().toMSecsSinceEpoch();
    default:
        return term.literal.toLongLong();
    }
}
} // namespace

bool TableStore::lessInIndex(quint32 a, quint32 b) const
{
    for (int f : m_indexFields) {
        const int c = m_cols.compare(a, b, f);
        if (c != 0)
            return c < 0;
    }
    return a < b;
}

void TableStore::prepareFilterMasks() const
{
    if (!m_filter)
        return;
    const auto &groups = m_filter->groups();
    size_t t = 0;
    for (const auto &group : groups) {
        for (const FilterTerm &term : group) {
            if (m_termMasks.size() <= t)
                m_termMasks.resize(t + 1);
            std::vector<char> &mask = m_termMasks[t++];
            if (fields().at(term.field).type != FieldType::Text)
                continue;
            const TextPool &pool = m_cols.pool(term.field);
            for (quint32 i = quint32(mask.size()); i < pool.size(); ++i)
                mask.push_back(termMatches(term, pool.at(i), FieldType::Text, m_filterCase));
        }
    }
}

bool TableStore::passesFilter(quint32 row) const
{
    if (!m_filtered || !m_filter || m_filter->isEmpty())
        return true;
    size_t t = 0;
    for (const auto &group : m_filter->groups()) {
        bool all = true;
        for (const FilterTerm &term : group) {
            const size_t maskIndex = t++;
            if (!all)
                continue;
            if (m_cols.isNull(row, term.field)) {
                all = false;
                continue;
            }
            const FieldType type = fields().at(term.field).type;
            if (type == FieldType::Text)
                all = m_termMasks[maskIndex][m_cols.textIndex(row, term.field)];
            else if (type == FieldType::Number)
                all = compareOp(m_cols.number(row, term.field), term.literal.toDouble(), term.op);
            else
                all = compareOp(m_cols.integer(row, term.field), integerLiteral(term, type), term.op);
        }
        if (all)
            return true;
    }
    return false;
}

void TableStore::rebuildOrder()
{
    m_order.clear();
    m_order.reserve(m_cols.rowCount());
    for (quint32 r = 0; r < m_cols.rowCount(); ++r) {
        if (!(m_cols.flags(r) & Columns::Deleted))
            m_order.push_back(r);
    }
    if (m_state == State::Insert && !m_view.empty())
        m_order.erase(std::remove(m_order.begin(), m_order.end(), m_view.back()), m_order.end());
    if (m_indexFields.empty())
        return;
    // Stable passes from the last index field to the first; rows start in creation order, which is
    // the final tie-break. A text field is one counting pass over the ranks of its distinct texts.
    std::vector<quint32> sorted(m_order.size());
    for (auto it = m_indexFields.rbegin(); it != m_indexFields.rend(); ++it) {
        const int f = *it;
        if (fields().at(f).type != FieldType::Text) {
            std::stable_sort(m_order.begin(), m_order.end(), [&](quint32 a, quint32 b) {
                return m_cols.compare(a, b, f) < 0;
            });
            continue;
        }
        const std::vector<quint32> &rank = m_cols.pool(f).ranks();
        const auto bucket = [&](quint32 r) {
            return m_cols.isNull(r, f) ? 0u : rank[m_cols.textIndex(r, f)] + 1; // nulls first
        };
        std::vector<quint32> start(rank.size() + 2, 0);
        for (quint32 r : m_order)
            ++start[bucket(r) + 1];
        for (size_t i = 1; i < start.size(); ++i)
            start[i] += start[i - 1];
        for (quint32 r : m_order)
            sorted[start[bucket(r)]++] = r;
        m_order.swap(sorted);
    }
}

void TableStore::rebuildView(quint32 keepRow)
{
    const bool inserting = m_state == State::Insert && !m_view.empty();
    const quint32 pending = inserting ? m_view.back() : 0;
    m_view.clear();
    const bool everyRow = !m_filtered || !m_filter || m_filter->isEmpty();
    if (everyRow) {
        m_view = m_order;
    } else {
        prepareFilterMasks();
        for (quint32 r : m_order) {
            if (passesFilter(r))
                m_view.push_back(r);
        }
    }
    if (inserting)
        m_view.push_back(pending);
    int pos = 0;
    if (keepRow != quint32(-1)) {
        const auto it = std::find(m_view.begin(), m_view.end(), keepRow);
        if (it != m_view.end())
            pos = int(it - m_view.begin());
    }
    setCurrent(pos, CurrentNotice::Always);
    emit reset();
}

int TableStore::viewPosition(quint32 row) const
{
    const auto it = std::lower_bound(
            m_view.begin(), m_view.end(), row, [this](quint32 a, quint32 b) { return lessInIndex(a, b); });
    return int(it - m_view.begin());
}

void TableStore::insertIntoOrder(quint32 row)
{
    const auto it = std::lower_bound(
            m_order.begin(), m_order.end(), row, [this](quint32 a, quint32 b) { return lessInIndex(a, b); });
    m_order.insert(it, row);
}

void TableStore::removeFromOrder(quint32 row)
{
    // The row's values may have changed since it was placed, so search it by number.
    const auto it = std::find(m_order.begin(), m_order.end(), row);
    if (it != m_order.end())
        m_order.erase(it);
}

bool TableStore::setFilter(const QString &text)
{
    clearError();
    std::optional<Filter> parsed;
    if (!text.trimmed().isEmpty()) {
        QString error;
        parsed = Filter::parse(text, fields(), &error);
        if (!parsed)
            return fail(ErrorKind::Filter, error);
    }
    m_filterText = text;
    m_filter = std::move(parsed);
    m_termMasks.clear();
    if (isOpen() && ensureBrowse())
        rebuildView(m_current >= 0 ? m_view[m_current] : quint32(-1));
    return true;
}

void TableStore::setFiltered(bool filtered)
{
    if (filtered == m_filtered)
        return;
    m_filtered = filtered;
    if (isOpen() && ensureBrowse())
        rebuildView(m_current >= 0 ? m_view[m_current] : quint32(-1));
}

void TableStore::setCaseInsensitive(bool insensitive)
{
    const auto cs = insensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (cs == m_filterCase)
        return;
    m_filterCase = cs;
    m_termMasks.clear();
    if (isOpen() && ensureBrowse())
        rebuildView(m_current >= 0 ? m_view[m_current] : quint32(-1));
}

bool TableStore::setIndexFieldNames(const QString &names)
{
    clearError();
    std::vector<int> indexFields;
    const QStringList parts = names.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const int f = fieldIndex(part.trimmed());
        if (f < 0) {
            return fail(ErrorKind::Value,
                        QCoreApplication::translate("TableStore", "There is no field %1 to order by.")
                                .arg(part.trimmed()));
        }
        indexFields.push_back(f);
    }
    m_indexText = names;
    m_indexFields = std::move(indexFields);
    if (isOpen() && ensureBrowse()) {
        const quint32 keep = m_current >= 0 ? m_view[m_current] : quint32(-1);
        rebuildOrder();
        rebuildView(keep);
    }
    return true;
}

void TableStore::compactIfWorthIt()
{
    if (m_deletedCount < 1024 || m_deletedCount < m_cols.rowCount() / 8 || m_state != State::Browse)
        return;
    const std::vector<quint32> map = m_cols.compact();
    m_deletedCount = 0;
    for (quint32 &r : m_order)
        r = map[r];
    for (quint32 &r : m_view)
        r = map[r];
}
