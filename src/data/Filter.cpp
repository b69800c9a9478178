#include "data/Filter.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

#include <cmath>
#include <compare>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Filter", text);
}

// Positions in messages count characters from 1.
QString pos(qsizetype index)
{
    return QString::number(index + 1);
}

// A short quote of the text at index, for messages.
QString excerpt(const QString &text, qsizetype index)
{
    constexpr qsizetype kMax = 12;
    QString part = text.mid(index, kMax);
    if (text.size() - index > kMax)
        part += QStringLiteral("...");
    return part;
}

QString typeDescription(FieldType type)
{
    switch (type) {
    case FieldType::Number:
        return tr("a number");
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::LargeInt:
        return tr("a whole number");
    case FieldType::Boolean:
        return tr("True or False");
    case FieldType::DateTime:
        return tr("a date and time (yyyy-MM-dd or yyyy-MM-dd hh:mm:ss)");
    case FieldType::Text:
        break;
    }
    return tr("text");
}

// Reads a literal's text as a value of the field's type; a null QVariant when it can't be read.
QVariant readLiteral(const QString &literal, FieldType type)
{
    if (type == FieldType::Text)
        return literal;

    const QString trimmed = literal.trimmed();
    bool ok = false;
    switch (type) {
    case FieldType::Number: {
        QString plain = trimmed;
        plain.remove(QLatin1Char(','));
        const double value = QLocale::c().toDouble(plain, &ok);
        if (ok && std::isfinite(value))
            return value;
        return {};
    }
    case FieldType::AutoInc:
    case FieldType::Integer: {
        QString plain = trimmed;
        plain.remove(QLatin1Char(','));
        const int value = plain.toInt(&ok, 10);
        return ok ? QVariant(value) : QVariant();
    }
    case FieldType::LargeInt: {
        QString plain = trimmed;
        plain.remove(QLatin1Char(','));
        const qint64 value = plain.toLongLong(&ok, 10);
        return ok ? QVariant(value) : QVariant();
    }
    case FieldType::Boolean:
        if (trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || trimmed == QLatin1String("1"))
            return true;
        if (trimmed.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0
            || trimmed == QLatin1String("0"))
            return false;
        return {};
    case FieldType::DateTime: {
        static const QRegularExpression re(QStringLiteral(
                "^(\\d{4})-(\\d{2})-(\\d{2})(?:[T ](\\d{2}):(\\d{2}):(\\d{2})(?:\\.(\\d{1,3}))?)?$"));
        const QRegularExpressionMatch m = re.match(trimmed);
        if (!m.hasMatch())
            return {};
        const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        QTime time(0, 0);
        if (m.hasCaptured(4)) {
            int msec = 0;
            if (m.hasCaptured(7)) {
                // A fraction of a second: ".5" is 500 ms.
                msec = m.captured(7).leftJustified(3, QLatin1Char('0')).toInt();
            }
            time = QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(), msec);
        }
        if (!date.isValid() || !time.isValid())
            return {};
        const QDateTime value(date, time); // local time
        return value.isValid() ? QVariant(value) : QVariant();
    }
    case FieldType::Text:
        break;
    }
    return {};
}

class Parser
{
public:
    Parser(const QString &text, const FieldList &fields)
        : m_text(text)
        , m_fields(fields)
    {}

    std::optional<QList<QList<FilterTerm>>> run()
    {
        QList<QList<FilterTerm>> groups;
        skipBlanks();
        if (atEnd())
            return groups; // the empty filter

        QList<FilterTerm> group;
        for (;;) {
            FilterTerm term;
            if (!readTerm(&term))
                return std::nullopt;
            group.append(term);

            skipBlanks();
            if (atEnd())
                break;

            const qsizetype connectivePos = m_pos;
            const int connective = readConnective();
            if (connective == 0) {
                fail(tr("Expected AND or OR at position %1, found \"%2\".")
                             .arg(pos(connectivePos), excerpt(m_text, connectivePos)));
                return std::nullopt;
            }
            skipBlanks();
            if (atEnd()) {
                fail(tr("The filter ends with \"%1\" at position %2; a condition must follow it.")
                             .arg(m_text.mid(connectivePos, connective == 1 ? 3 : 2), pos(connectivePos)));
                return std::nullopt;
            }
            if (connective == 2) { // OR closes the current AND-group
                groups.append(group);
                group.clear();
            }
        }
        groups.append(group);
        return groups;
    }

    QString error() const { return m_error; }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }

    void skipBlanks()
    {
        while (!atEnd() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    void fail(const QString &message)
    {
        if (m_error.isEmpty())
            m_error = message;
    }

    // 1 for AND, 2 for OR, 0 when none is at the current position. A connective must be followed
    // by a blank or by the "[" of the next term, so that "ORDER" is not read as "OR".
    int readConnective()
    {
        const auto tryWord = [this](QLatin1String word) {
            const qsizetype end = m_pos + word.size();
            if (end > m_text.size())
                return false;
            if (QStringView(m_text).mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
                return false;
            if (end < m_text.size() && !m_text.at(end).isSpace() && m_text.at(end) != QLatin1Char('['))
                return false;
            m_pos = end;
            return true;
        };
        if (tryWord(QLatin1String("AND")))
            return 1;
        if (tryWord(QLatin1String("OR")))
            return 2;
        return 0;
    }

    bool readTerm(FilterTerm *term)
    {
        // Field name in square brackets.
        if (atEnd() || m_text.at(m_pos) != QLatin1Char('[')) {
            fail(atEnd() ? tr("Expected a field name in square brackets at position %1, but the filter ends "
                              "there.")
                                   .arg(pos(m_pos))
                         : tr("Expected a field name in square brackets at position %1, found \"%2\".")
                                   .arg(pos(m_pos), excerpt(m_text, m_pos)));
            return false;
        }
        const qsizetype open = m_pos;
        const qsizetype close = m_text.indexOf(QLatin1Char(']'), open + 1);
        if (close < 0) {
            fail(tr("The field name at position %1 has no closing \"]\".").arg(pos(open)));
            return false;
        }
        const QString name = m_text.mid(open + 1, close - open - 1).trimmed();
        int field = fieldIndex(m_fields, name);
        if (field < 0) { // field names are matched without regard to case as a fallback
            for (int i = 0; i < m_fields.size(); ++i) {
                if (m_fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0) {
                    field = i;
                    break;
                }
            }
        }
        if (field < 0) {
            fail(tr("Unknown field \"%1\" at position %2.").arg(name, pos(open)));
            return false;
        }
        m_pos = close + 1;
        const FieldDef &def = m_fields.at(field);

        // Operator.
        skipBlanks();
        const qsizetype opPos = m_pos;
        FilterOp op;
        const QStringView rest = QStringView(m_text).mid(m_pos);
        if (rest.startsWith(QLatin1String("<="))) {
            op = FilterOp::LessEqual;
            m_pos += 2;
        } else if (rest.startsWith(QLatin1String(">="))) {
            op = FilterOp::GreaterEqual;
            m_pos += 2;
        } else if (rest.startsWith(QLatin1String("<>"))) {
            op = FilterOp::NotEqual;
            m_pos += 2;
        } else if (rest.startsWith(QLatin1Char('<'))) {
            op = FilterOp::Less;
            m_pos += 1;
        } else if (rest.startsWith(QLatin1Char('>'))) {
            op = FilterOp::Greater;
            m_pos += 1;
        } else if (rest.startsWith(QLatin1Char('='))) {
            op = FilterOp::Equal;
            m_pos += 1;
        } else {
            fail(tr("Missing operator (=, <>, <, <=, >, >=) after field \"%1\" at position %2.")
                         .arg(def.name, pos(opPos)));
            return false;
        }

        // Literal between apostrophes; an apostrophe inside is written twice.
        skipBlanks();
        const qsizetype litPos = m_pos;
        if (atEnd() || m_text.at(m_pos) != QLatin1Char('\'')) {
            fail(tr("Missing value in apostrophes after the operator for field \"%1\" at position %2.")
                         .arg(def.name, pos(litPos)));
            return false;
        }
        ++m_pos;
        QString literal;
        for (;;) {
            if (atEnd()) {
                fail(tr("The value starting at position %1 has no closing apostrophe.").arg(pos(litPos)));
                return false;
            }
            const QChar c = m_text.at(m_pos++);
            if (c == QLatin1Char('\'')) {
                if (!atEnd() && m_text.at(m_pos) == QLatin1Char('\'')) {
                    literal += c;
                    ++m_pos;
                    continue;
                }
                break;
            }
            literal += c;
        }

        const QVariant value = readLiteral(literal, def.type);
        if (!value.isValid()) {
            fail(tr("The value '%1' at position %2 can't be read as %3 for field \"%4\".")
                         .arg(literal, pos(litPos), typeDescription(def.type), def.name));
            return false;
        }
        term->field = field;
        term->op = op;
        term->literal = value;
        return true;
    }

    const QString &m_text;
    const FieldList &m_fields;
    qsizetype m_pos = 0;
    QString m_error;
};

bool holds(std::partial_ordering order, FilterOp op)
{
    if (order == std::partial_ordering::unordered)
        return false;
    switch (op) {
    case FilterOp::Equal:
        return order == 0;
    case FilterOp::NotEqual:
        return order != 0;
    case FilterOp::Less:
        return order < 0;
    case FilterOp::LessEqual:
        return order <= 0;
    case FilterOp::Greater:
        return order > 0;
    case FilterOp::GreaterEqual:
        return order >= 0;
    }
    return false;
}

// The QString inside a variant without copying when it holds one.
const QString &stringOf(const QVariant &v, QString *buffer)
{
    if (v.metaType().id() == QMetaType::QString)
        return *static_cast<const QString *>(v.constData());
    *buffer = v.toString();
    return *buffer;
}

} // namespace

std::optional<Filter> Filter::parse(const QString &text, const FieldList &fields, QString *error)
{
    Parser parser(text, fields);
    std::optional<QList<QList<FilterTerm>>> groups = parser.run();
    if (!groups) {
        if (error)
            *error = parser.error();
        return std::nullopt;
    }
    if (error)
        error->clear();
    Filter filter;
    filter.m_groups = std::move(*groups);
    return filter;
}

bool Filter::matches(const std::function<QVariant(int)> &valueOf, Qt::CaseSensitivity cs) const
{
    if (m_groups.isEmpty())
        return true;
    // Types are not kept in the filter; they are implied by the literal's type.
    for (const QList<FilterTerm> &group : m_groups) {
        bool all = true;
        for (const FilterTerm &term : group) {
            FieldType type = FieldType::Text;
            switch (term.literal.metaType().id()) {
            case QMetaType::Double:
                type = FieldType::Number;
                break;
            case QMetaType::Int:
                type = FieldType::Integer;
                break;
            case QMetaType::LongLong:
                type = FieldType::LargeInt;
                break;
            case QMetaType::Bool:
                type = FieldType::Boolean;
                break;
            case QMetaType::QDateTime:
                type = FieldType::DateTime;
                break;
            default:
                break;
            }
            if (!termMatches(term, valueOf(term.field), type, cs)) {
                all = false;
                break;
            }
        }
        if (all)
            return true;
    }
    return false;
}

bool termMatches(const FilterTerm &term, const QVariant &value, FieldType type, Qt::CaseSensitivity cs)
{
    if (!value.isValid() || value.isNull() || !term.literal.isValid())
        return false;

    switch (type) {
    case FieldType::Text: {
        QString valueBuffer;
        QString literalBuffer;
        const int c
                = QString::compare(stringOf(value, &valueBuffer), stringOf(term.literal, &literalBuffer), cs);
        return holds(c <=> 0, term.op);
    }
    case FieldType::Number: {
        bool ok1 = false;
        bool ok2 = false;
        const double a = value.toDouble(&ok1);
        const double b = term.literal.toDouble(&ok2);
        return ok1 && ok2 && holds(a <=> b, term.op);
    }
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::LargeInt: {
        bool ok1 = false;
        bool ok2 = false;
        const qint64 a = value.toLongLong(&ok1);
        const qint64 b = term.literal.toLongLong(&ok2);
        return ok1 && ok2 && holds(a <=> b, term.op);
    }
    case FieldType::Boolean: {
        const bool a = value.toBool();
        const bool b = term.literal.toBool();
        return holds(int(a) <=> int(b), term.op);
    }
    case FieldType::DateTime: {
        const QDateTime a = value.toDateTime();
        const QDateTime b = term.literal.toDateTime();
        if (!a.isValid() || !b.isValid())
            return false;
        return holds(a.toMSecsSinceEpoch() <=> b.toMSecsSinceEpoch(), term.op);
    }
    }
    return false;
}
