// The table model over a store: cell texts, following the store's changes, and cell edits.
#include "binding/TableModel.h"
#include "data/TableStore.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

namespace {
enum Column { ID, Symbol, Quantity, Price, AveCost, PercentDiff, Count, Flag, LastUpdated };

FieldList fields()
{
    return {{QStringLiteral("ID"), FieldType::AutoInc, 0},
            {QStringLiteral("Symbol"), FieldType::Text, 10},
            {QStringLiteral("Quantity"), FieldType::Number, 0},
            {QStringLiteral("Price"), FieldType::Number, 0},
            {QStringLiteral("AveCost"), FieldType::Number, 0},
            {QStringLiteral("PercentDiff"), FieldType::Number, 0},
            {QStringLiteral("Count"), FieldType::Integer, 0},
            {QStringLiteral("Flag"), FieldType::Boolean, 0},
            {QStringLiteral("LastUpdated"), FieldType::DateTime, 0}};
}

void addRow(TableStore &store, const QString &symbol, double price = 10)
{
    QVERIFY(store.append());
    QVERIFY(store.setValue(Symbol, symbol));
    QVERIFY(store.setValue(Quantity, 5.0));
    QVERIFY(store.setValue(Price, price));
    QVERIFY(store.post());
}

// AAPL, IBM, MSFT in symbol order, made out of order.
void seed(TableStore &store)
{
    QVERIFY(store.createDataSet());
    QVERIFY(store.setIndexFieldNames(QStringLiteral("Symbol")));
    addRow(store, QStringLiteral("MSFT"), 300);
    addRow(store, QStringLiteral("AAPL"), 190);
    addRow(store, QStringLiteral("IBM"), 150);
}

QStringList columnTexts(const QAbstractItemModel &model, int column)
{
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.index(r, column).data().toString();
    return out;
}

const QDateTime kMoment(QDate(2024, 4, 29), QTime(9, 5, 3));
} // namespace

class TestTableModel : public QObject
{
    Q_OBJECT

private slots:
    void cellTexts_data();
    void cellTexts();
    void followsStore();
    void layoutChangeResetsColumns();
    void setDataWritesField_data();
    void setDataWritesField();
    void unchangedTextLeavesRowAlone();
    void editOfAnotherRowFollowsItsRow();
    void readOnlyAndAutoIncRefuseEdits();
    void detachStopsFollowing();
};

void TestTableModel::cellTexts_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("edit");

    QTest::newRow("format shows zero empty") << int(Quantity) << QVariant(0.0) << ""
                                             << "";
    QTest::newRow("format groups thousands") << int(Quantity) << QVariant(1234567.891) << "1,234,567.891"
                                             << "1,234,567.891";
    QTest::newRow("format keeps four decimals") << int(Quantity) << QVariant(-0.123456) << "-.1235"
                                                << "-.1235";
    QTest::newRow("no format: general form") << int(Price) << QVariant(12.5) << "12.5"
                                             << "12.5";
    QTest::newRow("general form, 15 digits") << int(Price) << QVariant(1.0 / 3) << "0.333333333333333"
                                             << "0.333333333333333";
    QTest::newRow("general form, zero") << int(Price) << QVariant(0.0) << "0"
                                        << "0";
    QTest::newRow("general form, large") << int(Price) << QVariant(1.5e20) << "1.5E20"
                                         << "1.5E20";
    QTest::newRow("edit format only") << int(AveCost) << QVariant(1234.56789) << "1234.56789"
                                      << "1,234.5679";
    QTest::newRow("percent edit format") << int(PercentDiff) << QVariant(25.125) << "25.125"
                                         << "25.13";
    QTest::newRow("null number") << int(Quantity) << QVariant() << ""
                                 << "";
    QTest::newRow("integer") << int(Count) << QVariant(-42) << "-42"
                             << "-42";
    QTest::newRow("boolean") << int(Flag) << QVariant(false) << "False"
                             << "False";
    QTest::newRow("text") << int(Symbol) << QVariant(QStringLiteral("O'Hara")) << "O'Hara"
                          << "O'Hara";
    // The short date of this locale has two-digit years; the edit text keeps all four.
    QTest::newRow("date-time") << int(LastUpdated) << QVariant(kMoment) << "4/29/24 9:05 AM"
                               << "4/29/2024 9:05:03 AM";
    QTest::newRow("null date-time") << int(LastUpdated) << QVariant() << ""
                                    << "";
}

void TestTableModel::cellTexts()
{
    QFETCH(int, column);
    QFETCH(QVariant, value);
    QFETCH(QString, display);
    QFETCH(QString, edit);

    TableStore store(fields());
    QVERIFY(store.createDataSet());
    QVERIFY(store.append());
    QVERIFY(store.setValue(column, value));
    QVERIFY(store.post());
    TableModel model(&store, QStringLiteral("ClientDataSet1"));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    const QModelIndex cell = model.index(0, column);
    QCOMPARE(cell.data(Qt::DisplayRole).toString(), display);
    QCOMPARE(cell.data(Qt::EditRole).toString(), edit);
}

void TestTableModel::followsStore()
{
    TableStore store(fields());
    seed(store);
    TableModel model(&store, QStringLiteral("ClientDataSet1"));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    const QStringList seeded = {QStringLiteral("AAPL"), QStringLiteral("IBM"), QStringLiteral("MSFT")};
    QCOMPARE(columnTexts(model, Symbol), seeded);

    // A row being inserted shows last, then takes its sorted place when posted.
    QVERIFY(store.append());
    QVERIFY(store.setValue(Symbol, QStringLiteral("GOOG")));
    QCOMPARE(columnTexts(model, Symbol), seeded + QStringList{QStringLiteral("GOOG")});
    QVERIFY(store.post());
    QCOMPARE(columnTexts(model, Symbol), QString("AAPL GOOG IBM MSFT").split(' '));

    // An edited row moves when posted.
    QVERIFY(store.locate(QStringLiteral("Symbol"), QStringLiteral("AAPL")));
    QVERIFY(store.edit());
    QVERIFY(store.setValue(Symbol, QStringLiteral("XOM")));
    QCOMPARE(model.index(0, Symbol).data().toString(), QStringLiteral("XOM"));
    QVERIFY(store.post());
    QCOMPARE(columnTexts(model, Symbol), QString("GOOG IBM MSFT XOM").split(' '));

    QVERIFY(store.locate(QStringLiteral("Symbol"), QStringLiteral("IBM")));
    QVERIFY(store.remove());
    QCOMPARE(columnTexts(model, Symbol), QString("GOOG MSFT XOM").split(' '));

    QVERIFY(store.setFilter(QStringLiteral("[Symbol] >= 'M'")));
    QCOMPARE(columnTexts(model, Symbol), QString("MSFT XOM").split(' '));
    QVERIFY(store.append());
    QCOMPARE(model.rowCount(), 3);
    store.cancel();
    QCOMPARE(columnTexts(model, Symbol), QString("MSFT XOM").split(' '));

    QVERIFY(store.setFilter(QString()));
    QVERIFY(store.setIndexFieldNames(QStringLiteral("Price")));
    // GOOG has no price: a null sorts first and shows empty.
    QCOMPARE(columnTexts(model, Price),
             (QStringList{QString(), QStringLiteral("190"), QStringLiteral("300")}));

    QVERIFY(store.removeShown());
    QCOMPARE(model.rowCount(), 0);
    addRow(store, QStringLiteral("T"));
    QVERIFY(store.close());
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), fields().size());
}

// A store that takes another layout gives the views new columns.
void TestTableModel::layoutChangeResetsColumns()
{
    TableStore store(fields());
    seed(store);
    TableModel model(&store, QString());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    QVERIFY(store.close());
    store.setFields(
            {{QStringLiteral("ID"), FieldType::AutoInc, 0}, {QStringLiteral("Name"), FieldType::Text, 20}});
    QVERIFY(store.createDataSet());
    QVERIFY(store.append());
    QVERIFY(store.setValue(1, QStringLiteral("Alpha")));
    QCOMPARE(model.columnCount(), 2);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Name"));
    QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("Alpha"));
}

void TestTableModel::setDataWritesField_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QVariant>("stored");

    QTest::newRow("number with commas") << int(Quantity) << "1,234.5" << true << QVariant(1234.5);
    QTest::newRow("empty number is zero") << int(Price) << "" << true << QVariant(0.0);
    QTest::newRow("not a number") << int(Quantity) << "12,5x" << false << QVariant(5.0);
    QTest::newRow("no decimal comma") << int(Price) << "12.5.1" << false << QVariant(10.0);
    QTest::newRow("integer with commas") << int(Count) << "1,000" << true << QVariant(1000);
    QTest::newRow("integer with decimals") << int(Count) << "1.5" << false << QVariant(7);
    QTest::newRow("integer out of range") << int(Count) << "3000000000" << false << QVariant(7);
    QTest::newRow("boolean") << int(Flag) << "false" << true << QVariant(false);
    QTest::newRow("not a boolean") << int(Flag) << "maybe" << false << QVariant(true);
    QTest::newRow("text") << int(Symbol) << "ZZZ" << true << QVariant(QStringLiteral("ZZZ"));
    QTest::newRow("text cut to width")
            << int(Symbol) << "ABCDEFGHIJKL" << true << QVariant(QStringLiteral("ABCDEFGHIJ"));
    QTest::newRow("date-time as edited") << int(LastUpdated) << "4/30/2024 10:00:07 AM" << true
                                         << QVariant(QDateTime(QDate(2024, 4, 30), QTime(10, 0, 7)));
    QTest::newRow("two-digit year") << int(LastUpdated) << "1/5/24 3:30 PM" << true
                                    << QVariant(QDateTime(QDate(2024, 1, 5), QTime(15, 30)));
    QTest::newRow("date only") << int(LastUpdated) << "1/5/2024" << true
                               << QVariant(QDate(2024, 1, 5).startOfDay());
    QTest::newRow("ISO date-time") << int(LastUpdated) << "2024-01-05T10:30:00" << true
                                   << QVariant(QDateTime(QDate(2024, 1, 5), QTime(10, 30)));
    QTest::newRow("not a date") << int(LastUpdated) << "tomorrow" << false << QVariant(kMoment);
}

void TestTableModel::setDataWritesField()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QVariant, stored);

    TableStore store(fields());
    QVERIFY(store.createDataSet());
    QVERIFY(store.append());
    QVERIFY(store.setValue(Symbol, QStringLiteral("IBM")));
    QVERIFY(store.setValue(Quantity, 5.0));
    QVERIFY(store.setValue(Price, 10.0));
    QVERIFY(store.setValue(Count, 7));
    QVERIFY(store.setValue(Flag, true));
    QVERIFY(store.setValue(LastUpdated, kMoment));
    QVERIFY(store.post());
    TableModel model(&store, QStringLiteral("ClientDataSet1"));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setHeaderText(Quantity, QStringLiteral("Total Quantity"));
    QSignalSpy refused(&model, &TableModel::editRefused);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    QCOMPARE(model.setData(model.index(0, column), text), accepted);
    QCOMPARE(store.value(column), stored);
    if (accepted) {
        QCOMPARE(store.state(), TableStore::State::Edit); // posted only when the cursor moves on
        QCOMPARE(refused.count(), 0);
        QVERIFY(changed.count() > 0);
    } else {
        QCOMPARE(store.state(), TableStore::State::Browse);
        QCOMPARE(refused.count(), 1);
        const QString message = refused.at(0).at(0).toString();
        QVERIFY2(message.contains(text) && message.contains(model.headerText(column)), qPrintable(message));
    }
}

// An editor closed without a change must not put the row into edit state, nor round the value
// to the edit format.
void TestTableModel::unchangedTextLeavesRowAlone()
{
    TableStore store(fields());
    QVERIFY(store.createDataSet());
    QVERIFY(store.append());
    QVERIFY(store.setValue(AveCost, 10.123456));
    QVERIFY(store.setValue(LastUpdated, QDateTime(QDate(2024, 4, 29), QTime(9, 5, 3, 250))));
    QVERIFY(store.post());
    TableModel model(&store, QStringLiteral("ClientDataSet1"));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    for (int column : {int(AveCost), int(LastUpdated), int(Symbol)}) {
        const QModelIndex cell = model.index(0, column);
        QVERIFY(model.setData(cell, cell.data(Qt::EditRole)));
    }
    QCOMPARE(store.state(), TableStore::State::Browse);
    QCOMPARE(store.value(AveCost).toDouble(), 10.123456);
    QCOMPARE(store.value(LastUpdated).toDateTime().time().msec(), 250);
}

// Editing a cell of another row posts the row being edited first, which may move rows; the edit
// must still land on the row the cell belonged to.
void TestTableModel::editOfAnotherRowFollowsItsRow()
{
    TableStore store(fields());
    seed(store);
    TableModel model(&store, QStringLiteral("ClientDataSet1"));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    QVERIFY(model.setData(model.index(0, Symbol), QStringLiteral("ZZZ"))); // AAPL, stays in place
    QCOMPARE(store.state(), TableStore::State::Edit);
    QVERIFY(model.setData(model.index(1, Price), QStringLiteral("5"))); // IBM's price
    QCOMPARE(store.state(), TableStore::State::Edit);
    QCOMPARE(store.value(Symbol).toString(), QStringLiteral("IBM"));
    QVERIFY(store.post());

    QCOMPARE(columnTexts(model, Symbol), QString("IBM MSFT ZZZ").split(' '));
    QCOMPARE(columnTexts(model, Price), QString("5 300 190").split(' '));
}

void TestTableModel::readOnlyAndAutoIncRefuseEdits()
{
    TableStore store(fields());
    seed(store);
    TableModel model(&store, QStringLiteral("ClientDataSet1"));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    QVERIFY(!(model.flags(model.index(0, ID)) & Qt::ItemIsEditable));
    QVERIFY(!model.setData(model.index(0, ID), QStringLiteral("99")));
    QVERIFY(model.flags(model.index(0, Price)) & Qt::ItemIsEditable);

    model.setReadOnly(true);
    QVERIFY(!(model.flags(model.index(0, Price)) & Qt::ItemIsEditable));
    QVERIFY(!model.setData(model.index(0, Price), QStringLiteral("1")));
    QCOMPARE(store.state(), TableStore::State::Browse);
    QCOMPARE(model.index(0, Price).data().toString(), QStringLiteral("190"));
}

void TestTableModel::detachStopsFollowing()
{
    TableStore store(fields());
    seed(store);
    TableModel model(&store, QStringLiteral("ClientDataSet1"));
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setHeaderText(Price, QStringLiteral("Last Price"));
    QSignalSpy current(&model, &TableModel::currentRowChanged);

    model.detach();
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), fields().size());
    addRow(store, QStringLiteral("GOOG"));
    QVERIFY(store.setFilter(QStringLiteral("[Symbol] <> 'IBM'")));
    QCOMPARE(model.rowCount(), 0);
    QVERIFY(!model.setData(model.index(0, Price), QStringLiteral("1")));

    current.clear();
    model.attach();
    QCOMPARE(columnTexts(model, Symbol), QString("AAPL GOOG MSFT").split(' '));
    QCOMPARE(model.headerData(Price, Qt::Horizontal).toString(), QStringLiteral("Last Price"));
    QCOMPARE(current.count(), 1);
    QCOMPARE(current.at(0).at(0).toInt(), store.recNo());
}

int main(int argc, char **argv)
{
    // A locale whose short dates have two-digit years, where reading an edited date back can fail.
    qputenv("LC_ALL", "en_US.UTF-8");
    QApplication app(argc, argv);
    TestTableModel test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tablemodel.moc"
