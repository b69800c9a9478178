#pragma once

#include "data/Field.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

enum class FilterOp { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

// One "[Field] op 'literal'" of a filter text. The literal is already read as the field's type
// (QString for text fields, double, int, qint64, bool or QDateTime otherwise).
struct FilterTerm
{
    int field = -1;
    FilterOp op = FilterOp::Equal;
    QVariant literal;
};

// A parsed filter text: any of the AND-groups matches ("AND" binds tighter than "OR").
// An empty filter matches every row.
class Filter
{
public:
    static std::optional<Filter> parse(const QString &text, const FieldList &fields, QString *error);

    bool isEmpty() const { return m_groups.isEmpty(); }
    const QList<QList<FilterTerm>> &groups() const { return m_groups; }

    // valueOf(field position) gives the row's value; a null QVariant is a null field.
    bool matches(const std::function<QVariant(int)> &valueOf, Qt::CaseSensitivity cs) const;

private:
    QList<QList<FilterTerm>> m_groups;
};

// Whether a field value satisfies a term. A null value satisfies no term.
bool termMatches(const FilterTerm &term, const QVariant &value, FieldType type, Qt::CaseSensitivity cs);
