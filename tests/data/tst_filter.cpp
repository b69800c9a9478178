#include "data/Filter.h"

#include <QDateTime>
#include <QTest>

#include <algorithm>

using IdList = QList<int>;

namespace {

const FieldList &fields()
{
    static const FieldList list{
            {QStringLiteral("ID"), FieldType::AutoInc, 0},
            {QStringLiteral("AccountNo"), FieldType::Text, 20},
            {QStringLiteral("Symbol"), FieldType::Text, 10},
            {QStringLiteral("Quantity"), FieldType::Number, 0},
            {QStringLiteral("Count"), FieldType::Integer, 0},
            {QStringLiteral("Big"), FieldType::LargeInt, 0},
            {QStringLiteral("Flag"), FieldType::Boolean, 0},
            {QStringLiteral("When"), FieldType::DateTime, 0},
            {QStringLiteral("DateCreated"), FieldType::Text, 20}, // compact date text, as FlopDate writes it
    };
    return list;
}

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

// Row 6 holds nulls in every field but ID.
const QList<QVariantList> &rows()
{
    static const QList<QVariantList> list{
            {1, "A1", "IBM", 1500.5, 10, qint64(5000000000), true, at(2024, 1, 15, 9), "20240115900"},
            {2, "A1", "msft", 20.0, -3, qint64(1), false, at(2024, 1, 31, 10, 30, 0, 250), "2024013110300"},
            {3, "O'Hara", "AAPL", 0.25, 0, qint64(-7), true, at(2023, 12, 31, 23, 59, 59), "20231231235959"},
            {4, "A2", "IBM", 1000.0, 10, qint64(3000000000), false, at(2024, 2, 1), "20240201000"},
            {5, "a2", "Msft", 20.0, 7, qint64(0), true, at(2024, 1, 31), "20240131000"},
            {6, {}, {}, {}, {}, {}, {}, {}, {}},
    };
    return list;
}

} // namespace

class TestFilter : public QObject
{
    Q_OBJECT

private slots:
    void matchingRows_data();
    void matchingRows();
    void invalidTexts_data();
    void invalidTexts();
};

void TestFilter::matchingRows_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<IdList>("ids");

    // clang-format off
    QTest::newRow("empty") << "" << false << IdList{1, 2, 3, 4, 5, 6};
    QTest::newRow("all blank") << " \t " << false << IdList{1, 2, 3, 4, 5, 6};
    QTest::newRow("account") << "[AccountNo] = 'A1'" << false << IdList{1, 2};
    QTest::newRow("AND over OR") << "[Symbol] = 'AAPL' OR [AccountNo] = 'A1' AND [Symbol] = 'IBM'" << false << IdList{1, 3};
    QTest::newRow("two AND groups") << "[AccountNo] = 'A2' AND [Count] = '10' OR [AccountNo] = 'A1' AND [Flag] = 'False'" << false << IdList{2, 4};
    QTest::newRow("archive: extra blanks, OR after apostrophe") << "[AccountNo]  =  'A1'OR [AccountNo] = 'A2'" << false << IdList{1, 2, 4};
    QTest::newRow("lower-case and after apostrophe") << "[Symbol] = 'IBM'and [Count] > '5'" << false << IdList{1, 4};
    QTest::newRow("loose whitespace") << "  [Count]='10'\tAND   [Flag]= 'true'  " << false << IdList{1};
    QTest::newRow("doubled apostrophe") << "[AccountNo] = 'O''Hara'" << false << IdList{3};
    QTest::newRow("text <>, null excluded") << "[Symbol] <> 'IBM'" << false << IdList{2, 3, 5};
    QTest::newRow("text < and >=") << "[Symbol] < 'IBM' OR [Symbol] >= 'msft'" << false << IdList{2, 3};
    QTest::newRow("text <= and >") << "[Symbol] <= 'IBM' OR [Symbol] > 'Msft'" << false << IdList{1, 2, 3, 4};
    QTest::newRow("case-insensitive =") << "[AccountNo] = 'a2'" << true << IdList{4, 5};
    QTest::newRow("case-insensitive >") << "[Symbol] > 'Msft'" << true << IdList{};
    QTest::newRow("compact dates as text") << "[DateCreated] >= '20240101' AND [DateCreated] <= '20240131'" << false << IdList{1};
    QTest::newRow("number = with thousands separator") << "[Quantity] = '1,500.5'" << false << IdList{1};
    QTest::newRow("number <>") << "[Quantity] <> '20'" << false << IdList{1, 3, 4};
    QTest::newRow("number >= and <") << "[Quantity] >= '1,000' OR [Quantity] < '1'" << false << IdList{1, 3, 4};
    QTest::newRow("number > and <=") << "[Quantity] > '0.25' AND [Quantity] <= '1000'" << false << IdList{2, 4, 5};
    QTest::newRow("integer = and <") << "[Count] = '0' OR [Count] < '-1'" << false << IdList{2, 3};
    QTest::newRow("integer >=, not as text") << "[Count] >= '7'" << false << IdList{1, 4, 5};
    QTest::newRow("integer <> and > and <=") << "[Count] <> '10' AND [Count] > '-3' AND [Count] <= '7'" << false << IdList{3, 5};
    QTest::newRow("autoinc, null row has an ID") << "[ID] > '4'" << false << IdList{5, 6};
    QTest::newRow("large integer") << "[Big] > '4,000,000,000' OR [Big] < '0'" << false << IdList{1, 3};
    QTest::newRow("boolean = any case") << "[Flag] = 'TRUE'" << false << IdList{1, 3, 5};
    QTest::newRow("boolean <> 1") << "[Flag] <> '1'" << false << IdList{2, 4};
    QTest::newRow("boolean < and >") << "[Flag] < 'true' OR [Flag] > 'false'" << false << IdList{1, 2, 3, 4, 5};
    QTest::newRow("boolean <= 0") << "[Flag] <= '0'" << false << IdList{2, 4};
    QTest::newRow("boolean >= True") << "[Flag] >= 'True'" << false << IdList{1, 3, 5};
    QTest::newRow("date-time = with ms") << "[When] = '2024-01-31 10:30:00.250'" << false << IdList{2};
    QTest::newRow("date-time <> date") << "[When] <> '2024-01-31'" << false << IdList{1, 2, 3, 4};
    QTest::newRow("date-time < and >=") << "[When] < '2024-01-01' OR [When] >= '2024-02-01T00:00:00'" << false << IdList{3, 4};
    QTest::newRow("date-time > and <=") << "[When] > '2024-01-31 10:30:00' AND [When] <= '2024-02-01'" << false << IdList{2, 4};
    QTest::newRow("null row matches nothing") << "[Symbol] <> 'zzz' OR [Quantity] <> '0' OR [Flag] <> 'true'" << false << IdList{1, 2, 3, 4, 5};
    // clang-format on
}

void TestFilter::matchingRows()
{
    QFETCH(QString, text);
    QFETCH(bool, caseInsensitive);
    QFETCH(IdList, ids);

    QString error;
    const std::optional<Filter> filter = Filter::parse(text, fields(), &error);
    QVERIFY2(filter.has_value(), qPrintable(error));
    QCOMPARE(filter->isEmpty(), text.trimmed().isEmpty());

    const Qt::CaseSensitivity cs = caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
    IdList found;
    for (const QVariantList &row : rows()) {
        if (filter->matches([&row](int field) { return row.at(field); }, cs))
            found.append(row.at(0).toInt());
    }
    QCOMPARE(found, ids);
}

void TestFilter::invalidTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mentions"); // a piece the message must contain

    // clang-format off
    QTest::newRow("unknown field") << "[AccountNo] = 'x' AND [Nope] = 'x'" << "Nope";
    QTest::newRow("no brackets") << "AccountNo = 'x'" << "1";
    QTest::newRow("no closing bracket") << "[AccountNo = 'x'" << "]";
    QTest::newRow("missing operator") << "[AccountNo] 'x'" << "13";
    QTest::newRow("unknown operator") << "[AccountNo] != 'x'" << "AccountNo";
    QTest::newRow("missing literal") << "[AccountNo] =" << "14";
    QTest::newRow("unquoted literal") << "[AccountNo] = x" << "15";
    QTest::newRow("unterminated literal") << "[AccountNo] = 'O''Hara" << "15";
    QTest::newRow("dangling connective") << "[AccountNo] = 'x' AND  " << "AND";
    QTest::newRow("leading connective") << "OR [AccountNo] = 'x'" << "1";
    QTest::newRow("trailing garbage") << "[AccountNo] = 'x' junk" << "19";
    QTest::newRow("connective glued to a word") << "[AccountNo] = 'x' ORDER [Symbol] = 'y'" << "19";
    QTest::newRow("terms without connective") << "[AccountNo]  =  'A1'[AccountNo] = 'A1'" << "21";
    QTest::newRow("bad number") << "[Quantity] = '12abc'" << "Quantity";
    QTest::newRow("empty number") << "[Quantity] = ''" << "Quantity";
    QTest::newRow("fractional integer") << "[Count] = '1.5'" << "1.5";
    QTest::newRow("integer overflow") << "[Count] = '3000000000'" << "Count";
    QTest::newRow("bad boolean") << "[Flag] = 'yes'" << "yes";
    QTest::newRow("impossible date") << "[When] = '2024-02-30'" << "When";
    QTest::newRow("compact date for a date-time") << "[When] = '20240131'" << "20240131";
    // clang-format on
}

void TestFilter::invalidTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, mentions);

    QString error;
    const std::optional<Filter> filter = Filter::parse(text, fields(), &error);
    QVERIFY(!filter.has_value());
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(mentions), qPrintable(error));
    QVERIFY(!Filter::parse(text, fields(), nullptr).has_value()); // no error pointer: no crash
}

QTEST_GUILESS_MAIN(TestFilter)
#include "tst_filter.moc"
