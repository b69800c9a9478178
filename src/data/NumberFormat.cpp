#include "data/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// value = (negative ? -1 : 1) * 0.digits * 10^exponent; digits has no leading or trailing '0'.
// Empty digits is zero.
struct Decimal
{
    std::string digits;
    int exponent = 0;
    bool negative = false;
};

void stripTrailingZeros(Decimal &d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

// The shortest decimal text that reads back as the same double. value must be finite.
Decimal toDecimal(double value)
{
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0)
        return d;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    const std::string text(buf, res.ptr);
    const auto e = text.find('e');
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            d.digits += text[i];
    }
    d.exponent = std::atoi(text.c_str() + e + 1) + 1;
    stripTrailingZeros(d);
    return d;
}

// Keep the first keep digits, rounding half away from zero.
void roundToDigits(Decimal &d, int keep)
{
    if (keep >= int(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9')
            d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    stripTrailingZeros(d);
}

void roundToDecimals(Decimal &d, int decimals)
{
    roundToDigits(d, d.exponent + decimals);
}

QString groupThousands(const QString &integerPart)
{
    QString out;
    const int n = integerPart.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += integerPart.at(i);
    }
    return out;
}

// d must already be rounded to at most maxDecimals decimals.
QString fixedText(const Decimal &d, int minIntegerDigits, int minDecimals, bool grouping)
{
    const int n = int(d.digits.size());
    QString integerPart;
    for (int i = 0; i < d.exponent; ++i)
        integerPart += QLatin1Char(i < n ? d.digits[i] : '0');
    while (integerPart.size() < minIntegerDigits)
        integerPart.prepend(QLatin1Char('0'));
    if (grouping)
        integerPart = groupThousands(integerPart);

    QString fraction;
    for (int i = d.exponent; i < n; ++i)
        fraction += QLatin1Char(i < 0 ? '0' : d.digits[i]);
    while (fraction.size() < minDecimals)
        fraction += QLatin1Char('0');

    QString out = d.negative && !d.digits.empty() ? QStringLiteral("-") : QString();
    out += integerPart;
    if (!fraction.isEmpty())
        out += QLatin1Char('.') + fraction;
    return out;
}

constexpr double kPatternLimit = 1e18;

} // namespace

QString formatGeneral(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    Decimal d = toDecimal(value);
    roundToDigits(d, 15);
    if (d.digits.empty())
        return QStringLiteral("0");
    if (d.exponent <= 15 && d.exponent >= -3)
        return fixedText(d, 1, 0, false);

    QString out = d.negative ? QStringLiteral("-") : QString();
    out += QLatin1Char(d.digits[0]);
    if (d.digits.size() > 1)
        out += QLatin1Char('.') + QString::fromLatin1(d.digits.data() + 1, int(d.digits.size()) - 1);
    return out + QLatin1Char('E') + QString::number(d.exponent - 1);
}

QString formatNumber(double value, QStringView pattern)
{
    if (!std::isfinite(value) || std::fabs(value) >= kPatternLimit)
        return formatGeneral(value);

    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QStringView integerPattern = point < 0 ? pattern : pattern.left(point);
    const QStringView fractionPattern = point < 0 ? QStringView() : pattern.mid(point + 1);
    const bool grouping = integerPattern.contains(QLatin1Char(','));
    const int minIntegerDigits = int(integerPattern.count(QLatin1Char('0')));
    const int minDecimals = int(fractionPattern.count(QLatin1Char('0')));
    const int maxDecimals = minDecimals + int(fractionPattern.count(QLatin1Char('#')));

    Decimal d = toDecimal(value);
    roundToDecimals(d, maxDecimals);
    if (d.digits.empty() && minIntegerDigits == 0 && minDecimals == 0)
        return {};
    return fixedText(d, minIntegerDigits, minDecimals, grouping);
}

QString formatAmount4n(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= kPatternLimit)
        return formatGeneral(value);
    Decimal d = toDecimal(value);
    roundToDecimals(d, 4);
    return fixedText(d, 1, 4, true);
}
