// The average-cost rule on a holding's transactions.
#include "ledger/AverageCost.h"

#include <QTest>

using Lines = QList<TransactionLine>;
Q_DECLARE_METATYPE(Lines)

class TestAverageCost : public QObject
{
    Q_OBJECT

private slots:
    void rule_data();
    void rule();
};

void TestAverageCost::rule_data()
{
    const auto buy = [](double q, double p) {
        return TransactionLine{QStringLiteral("Purchase"), q, p};
    };
    const auto sell = [](double q) {
        return TransactionLine{QStringLiteral("Sell"), -q, 0};
    };
    const auto split = [](double q, double p) {
        return TransactionLine{QStringLiteral("Split"), q, p};
    };
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<double>("quantity");
    QTest::addColumn<double>("average");

    QTest::newRow("two purchases, one sale") << Lines{buy(100, 10), buy(50, 16), sell(30)} << 120.0 << 12.5;
    QTest::newRow("second sale has no price") << Lines{buy(100, 10), sell(30), sell(20)} << 50.0 << 14.0;
    QTest::newRow("split last halves") << Lines{buy(100, 10), split(100, 10)} << 200.0 << 5.0;
    QTest::newRow("purchase after split") << Lines{buy(100, 10), split(100, 10), buy(50, 6)} << 250.0 << 9.2;
    QTest::newRow("everything sold") << Lines{buy(100, 10), sell(100)} << 0.0 << 0.0;
    QTest::newRow("other kinds ignored")
            << Lines{buy(10, 5), {QStringLiteral("Chart"), 99, 99}} << 10.0 << 5.0;
    Lines many;
    for (int i = 0; i < 200; ++i)
        many << buy(1, i + 1);
    QTest::newRow("more than 128 purchases") << many << 200.0 << 100.5;
}

void TestAverageCost::rule()
{
    QFETCH(Lines, lines);
    QFETCH(double, quantity);
    QFETCH(double, average);
    const AverageCostResult result = averageCost(lines);
    QCOMPARE(result.quantity, quantity);
    QCOMPARE(result.average, average);
}

QTEST_GUILESS_MAIN(TestAverageCost)
#include "tst_averagecost.moc"
