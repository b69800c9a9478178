// The Graphs tab: value lines per holding, the account's holdings by value, and the date range.
#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "binding/StringGrid.h"
#include "data/TableStore.h"
#include "ledger/ChartData.h"
#include "ledger/SelectDate.h"
#include "support/AppSession.h"
#include "support/Records.h"
#include "support/WindowDriver.h"

#include <QAction>
#include <QCalendarWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QtCharts/QBarSeries>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QPieSeries>

using Records = QList<ValuePoint>;
using Lines = QList<ValueLine>;
Q_DECLARE_METATYPE(Records)
Q_DECLARE_METATYPE(Lines)

namespace {
const QString kBank = QStringLiteral("100");

QVariantMap historyOn(const QString &symbol, double extension, const QString &created)
{
    QVariantMap row = historyRecord(kBank, symbol, 1, extension);
    row.insert(QStringLiteral("DateCreated"), created);
    return row;
}

QLineSeries *line(int n)
{
    return static_cast<QLineSeries *>(Tillwick1->Chart1->chart()->series().value(n));
}

QList<double> valuesOf(int n)
{
    QList<double> values;
    for (const QPointF &point : line(n)->points())
        values << point.y();
    return values;
}

void startWithHistory(AppSession &app, const QList<QVariantMap> &history)
{
    seedAndStart(app,
                 {{accountRecord(kBank, QStringLiteral("Bank"), QStringLiteral("A"))},
                  {holdingRecord(kBank, QStringLiteral("A"), 1, 10, 5),
                   holdingRecord(kBank, QStringLiteral("B"), 2, 10, 5),
                   holdingRecord(kBank, QStringLiteral("C"), 3, 10, 5)},
                  {},
                  history});
    clickAccountLine(0);
}
} // namespace

class TestCharts : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::setNextAnswer(QMessageBox::NoButton); }
    void groupsByHolding_data();
    void groupsByHolding();
    void allHoldingsOfTheAccount();
    void currentStockOnly();
    void dateRange_data();
    void dateRange();
};

void TestCharts::groupsByHolding_data()
{
    QTest::addColumn<Records>("records");
    QTest::addColumn<QStringList>("symbols");
    QTest::addColumn<QList<int>>("sizes");
    QTest::newRow("no history") << Records{} << QStringList{} << QList<int>{};
    QTest::newRow("one holding") << Records{{"A", 1}, {"A", 2}, {"A", 3}} << QStringList{"A"}
                                 << QList<int>{3};
    QTest::newRow("three holdings") << Records{{"A", 1}, {"B", 2}, {"B", 3}, {"C", 4}}
                                    << QStringList{"A", "B", "C"} << QList<int>{1, 2, 1};
    QTest::newRow("a holding coming back starts again")
            << Records{{"A", 1}, {"B", 2}, {"A", 3}} << QStringList{"A", "B", "A"} << QList<int>{1, 1, 1};
}

void TestCharts::groupsByHolding()
{
    QFETCH(Records, records);
    QFETCH(QStringList, symbols);
    QFETCH(QList<int>, sizes);
    const Lines lines = valueLines(records);
    QStringList gotSymbols;
    QList<int> gotSizes;
    for (const ValueLine &l : lines) {
        gotSymbols << l.symbol;
        gotSizes << int(l.points.size());
        for (int i = 0; i < l.points.size(); ++i)
            QCOMPARE(l.points[i].x(), double(i + 1)); // counted within each holding
    }
    QCOMPARE(gotSymbols, symbols);
    QCOMPARE(gotSizes, sizes);
}

void TestCharts::allHoldingsOfTheAccount()
{
    AppSession app;
    startWithHistory(app,
                     {historyOn(QStringLiteral("A"), 10, QStringLiteral("20240105101010")),
                      historyOn(QStringLiteral("A"), 11, QStringLiteral("20240106101010")),
                      historyOn(QStringLiteral("B"), 20, QStringLiteral("20240105101010")),
                      historyOn(QStringLiteral("C"), 30, QStringLiteral("20240105101010")),
                      historyOn(QStringLiteral("C"), 31, QStringLiteral("20240106101010"))});
    Tillwick1->TabControl1->setCurrentWidget(Tillwick1->TabItem3);
    Tillwick1->pmnuAll->trigger();

    QCOMPARE(Tillwick1->Chart1->chart()->title(), QStringLiteral("Stock Value vs. Date - 100"));
    QCOMPARE(line(0)->name(), QStringLiteral("Stock Value vs. Date for - C"));
    QCOMPARE(valuesOf(0), (QList<double>{10, 11}));
    QCOMPARE(line(1)->name(), QStringLiteral("B"));
    QCOMPARE(valuesOf(2), (QList<double>{30, 31}));
    QCOMPARE(Tillwick1->Series2->count(), 3);
    QCOMPARE(Tillwick1->Series2->slices().at(2)->label(), QStringLiteral("C"));
    QCOMPARE(Tillwick1->Series2->slices().at(2)->value(), 30.0);
    QCOMPARE(Tillwick1->Series3->count(), 3);

    // Drawn again with one holding, the former extra lines stay, empty.
    Tillwick1->pmnuCurrent->trigger();
    QCOMPARE(Tillwick1->Chart1->chart()->series().size(), 3);
    QCOMPARE(valuesOf(0), (QList<double>{10, 11}));
    QVERIFY(valuesOf(1).isEmpty());
    QVERIFY(valuesOf(2).isEmpty());
}

void TestCharts::currentStockOnly()
{
    AppSession app;
    startWithHistory(app,
                     {historyOn(QStringLiteral("A"), 10, QStringLiteral("20240105101010")),
                      historyOn(QStringLiteral("B"), 20, QStringLiteral("20240105101010")),
                      historyOn(QStringLiteral("B"), 21, QStringLiteral("20240106101010"))});
    Tillwick1->TabControl1->setCurrentWidget(Tillwick1->TabItem4);
    clickGridRow(Tillwick1->StringGrid5, 1);
    QCOMPARE(Tillwick1->GRPHSYMBL, QStringLiteral("B"));
    Tillwick1->TabControl1->setCurrentWidget(Tillwick1->TabItem3);
    Tillwick1->pmnuCurrent->trigger();
    QCOMPARE(Tillwick1->GRPHALL_FLG, false);
    QCOMPARE(Tillwick1->Chart1->chart()->title(), QStringLiteral("Stock Value vs. Date - B"));
    QCOMPARE(valuesOf(0), (QList<double>{20, 21}));
}

void TestCharts::dateRange_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QList<double>>("drawn"); // empty: the chart is left as it was
    QTest::newRow("January, the To day included")
            << QDate(2024, 1, 1) << QDate(2024, 2, 1) << QList<double>{10, 11, 12};
    QTest::newRow("one day") << QDate(2024, 2, 1) << QDate(2024, 2, 1) << QList<double>{12};
    QTest::newRow("nothing in range") << QDate(2023, 1, 1) << QDate(2023, 2, 1) << QList<double>{};
}

void TestCharts::dateRange()
{
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QList<double>, drawn);
    AppSession app;
    startWithHistory(app,
                     {historyOn(QStringLiteral("A"), 9, QStringLiteral("20231231235959")),
                      historyOn(QStringLiteral("A"), 10, QStringLiteral("20240101000")),
                      historyOn(QStringLiteral("A"), 11, QStringLiteral("20240131235959")),
                      historyOn(QStringLiteral("A"), 12, QStringLiteral("20240201935")),
                      historyOn(QStringLiteral("A"), 13, QStringLiteral("20240202000"))});
    Tillwick1->TabControl1->setCurrentWidget(Tillwick1->TabItem3);
    const QList<double> before = valuesOf(0);
    QCOMPARE(before, (QList<double>{9, 10, 11, 12, 13}));

    Tillwick1->pmnuHistFilter->trigger();
    QVERIFY(SelectDate1->isVisible());
    SelectDate1->Calendar1->setSelectedDate(from);
    SelectDate1->Calendar2->setSelectedDate(to);
    QTest::mouseClick(SelectDate1->OKBtn, Qt::LeftButton);
    QVERIFY(SelectDate1->isVisible());
    QCOMPARE(valuesOf(0), drawn.isEmpty() ? before : drawn);
    QCOMPARE(Tillwick1->ClientDataSet3->recordCount(), int(drawn.size()));
}

QTEST_MAIN(TestCharts)
#include "tst_charts.moc"
