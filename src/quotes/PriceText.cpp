#include "quotes/PriceText.h"

#include "data/TextHelpers.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>
#include <functional>

namespace {

constexpr qsizetype kPriceWindow = 12;
constexpr qsizetype kMaxKeyLength = 64; // symbols, exchanges, currencies
constexpr qsizetype kMaxNameLength = 1024;

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// The hexadecimal number of count digits at pos, or -1.
int hexAt(const QString &text, qsizetype pos, int count)
{
    if (pos + count > text.size())
        return -1;
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const int digit = hexValue(text.at(pos + i));
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

// Reads the JSON-like values of a script array, tolerating blanks; gives up at anything unexpected.
class ArrayReader
{
public:
    ArrayReader(const QString &text, qsizetype pos)
        : m_text(text)
        , m_pos(pos)
    {}

    bool take(QChar c)
    {
        skipBlanks();
        if (m_pos < m_text.size() && m_text.at(m_pos) == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    bool takeWord(QLatin1StringView word)
    {
        skipBlanks();
        if (!QStringView(m_text).mid(m_pos).startsWith(word))
            return false;
        m_pos += word.size();
        return true;
    }

    std::optional<QString> string(qsizetype maxLength)
    {
        if (!take(QLatin1Char('"')))
            return std::nullopt;
        QString out;
        while (m_pos < m_text.size() && out.size() <= maxLength) {
            const QChar c = m_text.at(m_pos++);
            if (c == QLatin1Char('"'))
                return out;
            if (c != QLatin1Char('\\')) {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size())
                break;
            const QChar e = m_text.at(m_pos++);
            const int unit = e == QLatin1Char('u')   ? hexAt(m_text, m_pos, 4)
                             : e == QLatin1Char('x') ? hexAt(m_text, m_pos, 2)
                                                     : -2;
            if (unit >= 0) {
                out += QChar(char16_t(unit)); // surrogate halves pair up again in UTF-16
                m_pos += e == QLatin1Char('u') ? 4 : 2;
            } else if (e == QLatin1Char('n')) {
                out += QLatin1Char('\n');
            } else if (e == QLatin1Char('t')) {
                out += QLatin1Char('\t');
            } else {
                out += e;
            }
        }
        return std::nullopt;
    }

    std::optional<QString> number()
    {
        skipBlanks();
        const qsizetype start = m_pos;
        const auto digits = [this] {
            const qsizetype from = m_pos;
            while (m_pos < m_text.size() && m_text.at(m_pos).isDigit())
                ++m_pos;
            return m_pos > from;
        };
        const auto sign = [this] {
            if (m_pos < m_text.size()
                && (m_text.at(m_pos) == QLatin1Char('-') || m_text.at(m_pos) == QLatin1Char('+')))
                ++m_pos;
        };
        sign();
        bool any = digits();
        if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('.')) {
            ++m_pos;
            any = digits() || any;
        }
        if (!any) {
            m_pos = start;
            return std::nullopt;
        }
        if (m_pos < m_text.size()
            && (m_text.at(m_pos) == QLatin1Char('e') || m_text.at(m_pos) == QLatin1Char('E'))) {
            const qsizetype mark = m_pos++;
            sign();
            if (!digits())
                m_pos = mark;
        }
        return m_text.mid(start, m_pos - start);
    }

    // A string, a number, null, true or false.
    bool scalar()
    {
        return string(kMaxNameLength) || number() || takeWord(QLatin1StringView("null"))
               || takeWord(QLatin1StringView("true")) || takeWord(QLatin1StringView("false"));
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    const QString &m_text;
    qsizetype m_pos;
};

struct QuoteEntry
{
    QString name;
    std::optional<QString> price;
};

bool sameKey(const std::optional<QString> &text, const QString &key)
{
    return text && text->compare(key, Qt::CaseInsensitive) == 0;
}

// The entry whose array starts at open (a '['), when it is the symbol's on that exchange.
std::optional<QuoteEntry>
entryAt(const QString &text, qsizetype open, const QString &symbol, const QString &exchange)
{
    ArrayReader in(text, open + 1);
    if (!sameKey(in.string(kMaxKeyLength), symbol) || !in.take(QLatin1Char(',')))
        return std::nullopt;
    const bool wrapped = in.take(QLatin1Char('['));
    if (!sameKey(in.string(kMaxKeyLength), exchange) || (wrapped && !in.take(QLatin1Char(']')))
        || !in.take(QLatin1Char(']')) || !in.take(QLatin1Char(',')))
        return std::nullopt;
    QuoteEntry entry;
    if (const std::optional<QString> name = in.string(kMaxNameLength))
        entry.name = name->trimmed();
    else if (!in.takeWord(QLatin1StringView("null")))
        return std::nullopt;
    const bool typeAndCurrency = in.take(QLatin1Char(',')) && in.scalar() && in.take(QLatin1Char(','))
                                 && in.scalar() && in.take(QLatin1Char(','));
    if (typeAndCurrency && in.take(QLatin1Char('['))) {
        entry.price = in.number();
        // A page cut off inside the number must not give a shorter price.
        if (entry.price && !in.take(QLatin1Char(',')) && !in.take(QLatin1Char(']')))
            entry.price.reset();
    }
    return entry;
}

// One level of script escaping, for arrays that sit inside a string literal.
QString unescapeOnce(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const QChar e = text.at(i + 1);
        const int unit = e == QLatin1Char('u')   ? hexAt(text, i + 2, 4)
                         : e == QLatin1Char('x') ? hexAt(text, i + 2, 2)
                                                 : -1;
        if (unit == '"' || unit == '\\') {
            out += QChar(char16_t(unit));
            i += e == QLatin1Char('u') ? 5 : 3;
        } else if (e == QLatin1Char('"') || e == QLatin1Char('\\') || e == QLatin1Char('/')) {
            out += e;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

QString decodeEntities(const QString &text)
{
    static const QRegularExpression numeric(QStringLiteral("&#(x[0-9A-Fa-f]{1,6}|[0-9]{1,7});"));
    QString out;
    qsizetype last = 0;
    for (auto it = numeric.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString digits = m.captured(1);
        bool ok = false;
        const uint code
                = digits.startsWith(QLatin1Char('x')) ? digits.mid(1).toUInt(&ok, 16) : digits.toUInt(&ok);
        out += QStringView(text).mid(last, m.capturedStart() - last);
        const char32_t point = code;
        if (ok && point > 0 && point <= 0x10FFFF)
            out += QString::fromUcs4(&point, 1);
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    out.replace(QLatin1String("&quot;"), QLatin1String("\""));
    out.replace(QLatin1String("&apos;"), QLatin1String("'"));
    out.replace(QLatin1String("&lt;"), QLatin1String("<"));
    out.replace(QLatin1String("&gt;"), QLatin1String(">"));
    out.replace(QLatin1String("&nbsp;"), QLatin1String(" "));
    out.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return out;
}

// Calls found for every entry of the symbol and exchange until it returns true: in the page as it
// is, then with one level of script escaping undone, then with HTML entities decoded.
void findEntries(const QString &page,
                 const QString &symbol,
                 const QString &exchange,
                 const std::function<bool(const QuoteEntry &)> &found)
{
    const auto scan = [&](const QString &text) {
        for (qsizetype open = text.indexOf(QLatin1Char('[')); open >= 0;
             open = text.indexOf(QLatin1Char('['), open + 1)) {
            const std::optional<QuoteEntry> entry = entryAt(text, open, symbol, exchange);
            if (entry && found(*entry))
                return true;
        }
        return false;
    };
    if (symbol.isEmpty() || scan(page))
        return;
    if (page.contains(QLatin1String("\\\"")) || page.contains(QLatin1String("\\x22"))
        || page.contains(QLatin1String("\\u0022"))) {
        if (scan(unescapeOnce(page)))
            return;
    }
    if (page.contains(QLatin1String("&quot;")) || page.contains(QLatin1String("&#34;")))
        scan(decodeEntities(page));
}

QString nameFromTitle(const QString &page, const QString &symbol)
{
    static const QRegularExpression title(QStringLiteral("<title[^>]*>(.*?)</title>"),
                                          QRegularExpression::CaseInsensitiveOption
                                                  | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = title.match(page);
    if (!match.hasMatch())
        return {};
    const QString text = decodeEntities(match.captured(1)).simplified();
    // A name may hold " (" itself; the one before the symbol is the right cut.
    qsizetype cut = text.indexOf(QStringLiteral(" (") + symbol, 0, Qt::CaseInsensitive);
    if (cut < 0)
        cut = text.indexOf(QStringLiteral(" ("));
    return cut < 0 ? QString() : text.left(cut).trimmed();
}

} // namespace

QString lastPriceMarker()
{
    return QStringLiteral("data-last-price=");
}

QString priceTextAfterMarker(const QString &page, const QString &marker, bool *markerFound)
{
    const qsizetype at = marker.isEmpty() ? -1 : page.indexOf(marker);
    if (markerFound)
        *markerFound = at >= 0;
    if (at < 0)
        return {};
    const QStringView window = QStringView(page).mid(at + marker.size(), kPriceWindow);
    const qsizetype open = window.indexOf(QLatin1Char('"'));
    const qsizetype close = open < 0 ? -1 : window.indexOf(QLatin1Char('"'), open + 1);
    return close < 0 ? QString() : window.mid(open + 1, close - open - 1).toString();
}

std::optional<QString> priceFromDataArray(const QString &page, const QString &symbol, const QString &exchange)
{
    std::optional<QString> price;
    findEntries(page, symbol.trimmed(), exchange.trimmed(), [&](const QuoteEntry &entry) {
        price = entry.price;
        return price.has_value();
    });
    return price;
}

QString nameFromQuotePage(const QString &page, const QString &symbol, const QString &exchange)
{
    QString name;
    findEntries(page, symbol.trimmed(), exchange.trimmed(), [&](const QuoteEntry &entry) {
        name = entry.name;
        return !name.isEmpty();
    });
    return name.isEmpty() ? nameFromTitle(page, symbol.trimmed()) : name;
}

std::optional<QString> companyNameFromJson(const QByteArray &body)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonValue name = document.object().value(QLatin1String("companyName"));
    if (!name.isString())
        return std::nullopt;
    return name.toString().trimmed();
}

std::optional<double> priceNumber(const QString &text)
{
    const QString digits = RemoveCommas(text).trimmed();
    if (digits.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = digits.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}
