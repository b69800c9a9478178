#include "data/DateText.h"
#include "data/NumberFormat.h"
#include "data/TextHelpers.h"

#include <QTest>

#include <limits>

namespace {
const QString kGrouped = QStringLiteral("#,###,###,###.####");
const QString kWide = QStringLiteral("###,###,###,###.####");
const QString kPercent2 = QStringLiteral("###.##");
const QString kPercent3 = QStringLiteral("###.###");
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
} // namespace

class TestFormats : public QObject
{
    Q_OBJECT

private slots:
    void patterns_data();
    void patterns();
    void general_data();
    void general();
    void amount4n_data();
    void amount4n();
    void flopDate_data();
    void flopDate();
    void flopDateOrdersOnlyByDate();
    void regionalDateText();
    void inStr_data();
    void inStr();
    void lastCharPos_data();
    void lastCharPos();
    void removeCommas_data();
    void removeCommas();
    void filters_data();
    void filters();
};

void TestFormats::patterns_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    QTest::newRow("zero is empty") << 0.0 << kGrouped << "";
    QTest::newRow("negative zero is empty") << -0.0 << kWide << "";
    QTest::newRow("rounds to zero is empty") << 0.00004 << kGrouped << "";
    QTest::newRow("negative rounds to zero is empty") << -0.00004 << kGrouped << "";
    QTest::newRow("no leading zero") << 0.5 << kPercent2 << ".5";
    QTest::newRow("half away up") << 0.00005 << kGrouped << ".0001";
    QTest::newRow("half away negative") << -0.00005 << kGrouped << "-.0001";
    QTest::newRow("four decimals") << 1234567.891234 << kGrouped << "1,234,567.8912";
    QTest::newRow("wide pattern") << 1234567.891234 << kWide << "1,234,567.8912";
    QTest::newRow("decimal half rounds up") << 1234567.89125 << kGrouped << "1,234,567.8913";
    QTest::newRow("shortest text rounds") << 2.675 << kPercent2 << "2.68";
    QTest::newRow("binary tie") << 0.125 << kPercent2 << ".13";
    QTest::newRow("carry into grouping") << 999.99995 << kGrouped << "1,000";
    QTest::newRow("integer has no point") << 1500.0 << kGrouped << "1,500";
    QTest::newRow("trailing zeros dropped") << 12.5 << kGrouped << "12.5";
    QTest::newRow("negative grouped") << -1234.5 << kGrouped << "-1,234.5";
    QTest::newRow("more digits than places") << 123456789012345.5 << kGrouped << "123,456,789,012,345.5";
    QTest::newRow("percent no grouping") << 12345.678 << kPercent2 << "12345.68";
    QTest::newRow("percent three") << -12.3456 << kPercent3 << "-12.346";
    QTest::newRow("huge falls back") << 1e20 << kGrouped << "1E20";
    QTest::newRow("nan") << kNaN << kGrouped << "NAN";
    QTest::newRow("-inf") << -kInf << kPercent3 << "-INF";
}

void TestFormats::patterns()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(formatNumber(value, pattern), expected);
}

void TestFormats::general_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("binary noise") << 0.1 + 0.2 << "0.3";
    QTest::newRow("plain") << 1234.5 << "1234.5";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("negative") << -2.5 << "-2.5";
    QTest::newRow("15 digits") << 1.0 / 3 << "0.333333333333333";
    QTest::newRow("15 integer digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("16 integer digits") << 1e15 << "1E15";
    QTest::newRow("huge") << 1.5e20 << "1.5E20";
    QTest::newRow("small fixed") << 0.0001 << "0.0001";
    QTest::newRow("small scientific") << -0.00001 << "-1E-5";
    QTest::newRow("nan") << kNaN << "NAN";
    QTest::newRow("inf") << kInf << "INF";
}

void TestFormats::general()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatGeneral(value), expected);
}

void TestFormats::amount4n_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("status-bar amount") << 2345.5 << "2,345.5000";
    QTest::newRow("grouped") << 1234.5 << "1,234.5000";
    QTest::newRow("zero") << 0.0 << "0.0000";
    QTest::newRow("negative") << -12.34 << "-12.3400";
    QTest::newRow("leading zero") << 0.5 << "0.5000";
    QTest::newRow("negative rounds to zero") << -0.00001 << "0.0000";
    QTest::newRow("rounding") << -1234567.89125 << "-1,234,567.8913";
    QTest::newRow("huge falls back") << 1e20 << "1E20";
}

void TestFormats::amount4n()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(formatAmount4n(value), expected);
}

void TestFormats::flopDate_data()
{
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<QString>("expected");

    QTest::newRow("morning") << QDateTime(QDate(2024, 4, 29), QTime(9, 5, 3)) << "20240429953";
    QTest::newRow("ten o'clock") << QDateTime(QDate(2024, 4, 29), QTime(10, 0, 0)) << "202404291000";
    QTest::newRow("midnight") << QDateTime(QDate(2024, 1, 5), QTime(0, 0, 0)) << "20240105000";
    QTest::newRow("longest") << QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)) << "20241231235959";
    QTest::newRow("null") << QDateTime() << "";
}

void TestFormats::flopDate()
{
    QFETCH(QDateTime, dateTime);
    QFETCH(QString, expected);
    QCOMPARE(FlopDate(dateTime), expected);
}

void TestFormats::flopDateOrdersOnlyByDate()
{
    const QString nine = FlopDate(QDateTime(QDate(2024, 4, 29), QTime(9, 5, 3)));
    const QString ten = FlopDate(QDateTime(QDate(2024, 4, 29), QTime(10, 0, 0)));
    QVERIFY(ten < nine);
    // A row made on the bound's day is greater than the bound, so "<=" excludes it.
    QVERIFY(FlopDate(QDateTime(QDate(2024, 1, 31), QTime(10, 30))) > QStringLiteral("20240131"));
}

void TestFormats::regionalDateText()
{
    const QDateTime dt(QDate(2024, 4, 29), QTime(9, 5, 3));
    const QString us = ::regionalDateText(dt, QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY2(us.startsWith(QStringLiteral("4/29/24 9:05:03")), qPrintable(us));
    QVERIFY2(us.endsWith(QStringLiteral("AM")), qPrintable(us)); // no time zone after the time
    QCOMPARE(::regionalDateText(dt, QLocale(QLocale::German, QLocale::Germany)),
             QStringLiteral("29.04.24 09:05:03"));
    for (const QLocale &locale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory))
        QVERIFY(::regionalDateText(dt, locale).size() <= 20);
    QCOMPARE(::regionalDateText(QDateTime()), QString());
}

void TestFormats::inStr_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sub");
    QTest::addColumn<int>("expected");

    QTest::newRow("first") << 1 << "abcabc"
                           << "bc" << 2;
    QTest::newRow("at or after start") << 3 << "abcabc"
                                       << "bc" << 5;
    QTest::newRow("at start") << 5 << "abcabc"
                              << "bc" << 5;
    QTest::newRow("last char") << 6 << "abcabc"
                               << "c" << 6;
    QTest::newRow("absent") << 1 << "abcabc"
                            << "x" << 0;
    QTest::newRow("absent after start") << 4 << "abcxbc"
                                        << "x" << 4;
    QTest::newRow("sub longer") << 1 << "ab"
                                << "abc" << 0;
    QTest::newRow("past end") << 7 << "abcabc"
                              << "c" << 0;
    QTest::newRow("far past end") << 1000 << "abc"
                                  << "c" << 0;
    QTest::newRow("zero start") << 0 << "abc"
                                << "a" << 1;
    QTest::newRow("negative start") << -5 << "abc"
                                    << "b" << 2;
    QTest::newRow("empty sub") << 1 << "abc"
                               << "" << 0;
    QTest::newRow("empty text") << 1 << ""
                                << "a" << 0;
    QTest::newRow("case counts") << 1 << "data-last-price="
                                 << "PRICE" << 0;
}

void TestFormats::inStr()
{
    QFETCH(int, start);
    QFETCH(QString, text);
    QFETCH(QString, sub);
    QFETCH(int, expected);
    QCOMPARE(InStr(start, text, sub), expected);
}

void TestFormats::lastCharPos_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("c");
    QTest::addColumn<int>("expected");

    QTest::newRow("last of several") << "/home/me/Backup.d" << QChar('/') << 9;
    QTest::newRow("only char") << "/" << QChar('/') << 1;
    QTest::newRow("absent") << "Backup.d" << QChar('/') << -1;
    QTest::newRow("empty") << "" << QChar('/') << -1;
}

void TestFormats::lastCharPos()
{
    QFETCH(QString, text);
    QFETCH(QChar, c);
    QFETCH(int, expected);
    QCOMPARE(LastCharPos(text, c), expected);
}

void TestFormats::removeCommas_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("grouped") << "1,234,567.8912"
                             << "1234567.8912";
    QTest::newRow("only commas") << ",,,"
                                 << "";
    QTest::newRow("none") << "-.5"
                          << "-.5";
    QTest::newRow("empty") << ""
                           << "";
}

void TestFormats::removeCommas()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(RemoveCommas(text), expected);
}

void TestFormats::filters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");

    QTest::newRow("quote plain") << quotedFilterValue("ABC") << "'ABC'";
    QTest::newRow("quote apostrophe") << quotedFilterValue("O'Hara") << "'O''Hara'";
    QTest::newRow("quote only apostrophes") << quotedFilterValue("''") << "''''''";
    QTest::newRow("quote empty") << quotedFilterValue("") << "''";
    QTest::newRow("account") << accountFilter("O'Hara") << "[AccountNo] = 'O''Hara'";
    QTest::newRow("holding") << holdingFilter("A1", "BRK'B") << "[AccountNo] = 'A1' AND [Symbol] = 'BRK''B'";
    QTest::newRow("range") << holdingRangeFilter("A1", "MSFT", "20240101", "20240131")
                           << "[AccountNo] = 'A1' AND [Symbol] = 'MSFT' AND [DateCreated] >= '20240101' AND "
                              "[DateCreated] <= '20240131'";
}

void TestFormats::filters()
{
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(filter, expected);
}

QTEST_GUILESS_MAIN(TestFormats)
#include "tst_formats.moc"
