#include "app/Options.h"

#include <array>

namespace {
struct Style
{
    const char *name;
    QRgb color; // 0 keeps the colour there was
};

constexpr std::array<Style, 36> kStyles{{
        {"Air", 0xFFFFFFFF},
        {"Amakrits", 0xFFFFFFFF},
        {"AquaGraphite", 0xFFFFFFFF},
        {"Blend", 0xFFFFFFFF},
        {"Dark", 0xFFFF7F50},
        {"BlackLarge", 0xFF0000FF},
        {"BlueLarge", 0xFF0000FF},
        {"GreenLarge", 0xFF0000FF},
        {"GoldenGraphite", 0xFF800000},
        {"Copper", 0xFF000000},
        {"MaterialOxfordBlue", 0xFF000000},
        {"Light", 0xFF000080},
        {"BeigeGreen", 0xFF4169E1},
        {"MaterialOxfordBlueSE", 0xFFF0FBFF},
        {"Win10ModernGreen", 0xFFFFD700},
        {"RubyGraphite", 0xFFDC143C},
        {"GrayGraphite", 0xFF9400D3},
        {"CoralCrystal", 0xFFF0FBFF},
        {"CoralDark", 0xFF000000},
        {"EmeraldCrystal", 0xFF000000},
        {"EmeraldDark", 0xFF000000},
        {"Diamond", 0xFF000000},
        {"Jet", 0xFFFF0000},
        {"Radiant", 0xFF808080},
        {"Sterling", 0xFFFFFFFF},
        {"Vapor", 0xFFFFFFFF},
        {"Transparent", 0xFF9ACD32},
        {"Blue", 0xFFF0F8FF},
        {"Gray", 0},
        {"Green", 0xFF00008B},
        {"Purple", 0},
        {"Modern", 0},
        {"Calypso", 0},
        {"PuertoRico", 0},
        {"Stellar", 0},
        {"WedgewoodLight", 0},
}};

const QStringList kIntervals{QStringLiteral("30 Seconds"),
                             QStringLiteral("1 Minute"),
                             QStringLiteral("2 Minutes"),
                             QStringLiteral("3 Minutes"),
                             QStringLiteral("4 Minutes"),
                             QStringLiteral("5 Minutes"),
                             QStringLiteral("10 Minutes"),
                             QStringLiteral("15 Minutes"),
                             QStringLiteral("20 Minutes")};

// The whole number the entry begins with.
int leadingNumber(const QString &entry)
{
    int n = 0;
    for (QChar c : entry.left(2)) {
        if (!c.isDigit())
            break;
        n = n * 10 + c.digitValue();
    }
    return n;
}
} // namespace

QStringList styleNames()
{
    QStringList names;
    for (const Style &s : kStyles)
        names << QString::fromLatin1(s.name);
    return names;
}

std::optional<QColor> styleTextColor(int pos)
{
    if (pos < 0)
        return QColor(0xFFFFFFFF);
    if (pos >= int(kStyles.size()) || kStyles[pos].color == 0)
        return std::nullopt;
    return QColor::fromRgba(kStyles[pos].color);
}

QStringList quoteIntervalEntries()
{
    return kIntervals;
}

int intervalSavedSeconds(int pos)
{
    // "30 Seconds" is kept as 30; storing 180 for it would bring back "3 Minutes" next time.
    return pos == 0 ? 30 : leadingNumber(kIntervals.at(pos)) * 60;
}

int intervalLoadedSeconds(int pos)
{
    return pos == 0 ? 30 : leadingNumber(kIntervals.at(pos)) * 60;
}

int intervalPositionFor(int seconds)
{
    for (int pos = 0; pos < kIntervals.size(); ++pos) {
        if (intervalLoadedSeconds(pos) == seconds)
            return pos;
    }
    return -1;
}

QString accountLineName(const QString &line)
{
    const QString separator = QStringLiteral(" - ");
    const qsizetype first = line.indexOf(separator);
    if (first < 0)
        return {};
    const qsizetype start = first + separator.size();
    const qsizetype second = line.indexOf(separator, start);
    return (second < 0 ? line.mid(start) : line.mid(start, second - start)).trimmed();
}

QString audioFileFilter()
{
    return QStringLiteral(
            "MP3 | *.mp3;|WMA | *.wma;|MID | *.wmv;|RMI | *.mpg;|WAV | *.wav;|All Audio Files | "
            "*.wma;*.mid;*.rmi;*.wav;*.mp3");
}

// QFileDialog wants "Description (masks);;…" where the options keep "Description | masks|…".
QString dialogFilter(const QString &pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString masks = parts.at(i + 1).trimmed();
        masks.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts.at(i).trimmed(), masks.simplified());
    }
    return filters.join(QStringLiteral(";;"));
}
