// The table store in memory: states and hooks, navigation, order, filter, locate, notifications.
#include "data/TableStore.h"

#include <QSignalSpy>
#include <QTest>

namespace {
FieldList holdingFields()
{
    return {{QStringLiteral("ID"), FieldType::AutoInc, 0},
            {QStringLiteral("AccountNo"), FieldType::Text, 20},
            {QStringLiteral("Symbol"), FieldType::Text, 10},
            {QStringLiteral("Price"), FieldType::Number, 0},
            {QStringLiteral("Count"), FieldType::Integer, 0},
            {QStringLiteral("Flag"), FieldType::Boolean, 0},
            {QStringLiteral("LastUpdated"), FieldType::DateTime, 0}};
}

void addRow(TableStore &store, const QString &account, const QString &symbol, double price)
{
    QVERIFY(store.append());
    QVERIFY(store.setValue(QStringLiteral("AccountNo"), account));
    QVERIFY(store.setValue(QStringLiteral("Symbol"), symbol));
    QVERIFY(store.setValue(QStringLiteral("Price"), price));
    QVERIFY(store.post());
}

QStringList symbolsShown(TableStore &store)
{
    QStringList out;
    for (int r = 0; r < store.rowsShown(); ++r)
        out << store.valueAt(r, 2).toString();
    return out;
}

// Three accounts, rows made out of symbol order.
void seed(TableStore &store)
{
    QVERIFY(store.createDataSet());
    addRow(store, QStringLiteral("B"), QStringLiteral("MSFT"), 300);
    addRow(store, QStringLiteral("A"), QStringLiteral("IBM"), 150);
    addRow(store, QStringLiteral("O'Hara"), QStringLiteral("T"), 20);
    addRow(store, QStringLiteral("A"), QStringLiteral("AAPL"), 190);
    addRow(store, QStringLiteral("B"), QStringLiteral("AAPL"), 191);
}
} // namespace

class TestTableStore : public QObject
{
    Q_OBJECT

private slots:
    void hooksRunInOrder();
    void cancelRestores();
    void navigationAndEnd();
    void indexOrderKeepsCurrentAndFilter();
    void filterSelectsRows_data();
    void filterSelectsRows();
    void invalidFilterChangesNothing();
    void filterTextSurvivesReopen();
    void locateIsExact();
    void textIsCutToWidth();
    void valuesOfTheWrongTypeAreRefused();
    void idGivesCreationOrder();
    void removeAndRemoveShown();
    void notifications();
};

void TestTableStore::hooksRunInOrder()
{
    TableStore store(holdingFields());
    QStringList calls;
    store.setOnNewRecord([&](TableStore &s) {
        calls << QStringLiteral("new:%1").arg(int(s.state()));
        s.setValue(QStringLiteral("Count"), 7);
    });
    store.setBeforePost([&](TableStore &s) {
        calls << QStringLiteral("before:%1").arg(int(s.state()));
        s.setValue(QStringLiteral("Price"), 2.5);
    });
    store.setAfterPost([&](TableStore &s) { calls << QStringLiteral("after:%1").arg(int(s.state())); });
    QVERIFY(store.createDataSet());
    QVERIFY(store.append());
    QVERIFY(store.post());
    const auto insert = int(TableStore::State::Insert);
    const auto browse = int(TableStore::State::Browse);
    QCOMPARE(calls,
             QStringList({QStringLiteral("new:%1").arg(insert),
                          QStringLiteral("before:%1").arg(insert),
                          QStringLiteral("after:%1").arg(browse)}));
    QCOMPARE(store.value(QStringLiteral("Count")), QVariant(7));
    QCOMPARE(store.value(QStringLiteral("Price")).toDouble(), 2.5);
    QVERIFY(store.value(QStringLiteral("Symbol")).isNull());
    QVERIFY(store.hasUnwrittenChanges());
}

void TestTableStore::cancelRestores()
{
    TableStore store(holdingFields());
    seed(store);
    QCOMPARE(store.recordCount(), 5);
    QVERIFY(store.append());
    QCOMPARE(store.recordCount(), 5); // a row being inserted is not counted until posted
    store.cancel();
    QCOMPARE(store.recordCount(), 5);
    QCOMPARE(store.state(), TableStore::State::Browse);

    store.first();
    const QString before = store.value(QStringLiteral("Symbol")).toString();
    QVERIFY(store.edit());
    QVERIFY(store.setValue(QStringLiteral("Symbol"), QStringLiteral("ZZZ")));
    QVERIFY(store.setValue(QStringLiteral("Price"), QVariant()));
    store.cancel();
    QCOMPARE(store.value(QStringLiteral("Symbol")).toString(), before);
    QVERIFY(!store.value(QStringLiteral("Price")).isNull());
    QVERIFY(!store.setValue(QStringLiteral("Symbol"), QStringLiteral("X"))); // browse state
}

void TestTableStore::navigationAndEnd()
{
    TableStore store(holdingFields());
    seed(store);
    QVERIFY(store.setIndexFieldNames(QStringLiteral("AccountNo;Symbol")));
    QStringList seen;
    for (store.first(); !store.eof(); store.next())
        seen << store.value(QStringLiteral("AccountNo")).toString() + QLatin1Char('/')
                        + store.value(QStringLiteral("Symbol")).toString();
    QCOMPARE(seen, QStringList({"A/AAPL", "A/IBM", "B/AAPL", "B/MSFT", "O'Hara/T"}));
    QCOMPARE(store.recNo(), 4);
    store.prior();
    QCOMPARE(store.value(QStringLiteral("Symbol")).toString(), QStringLiteral("MSFT"));
    store.last();
    QVERIFY(!store.eof());
    QCOMPARE(store.value(QStringLiteral("Symbol")).toString(), QStringLiteral("T"));

    TableStore empty(holdingFields());
    QVERIFY(empty.createDataSet());
    empty.first();
    QVERIFY(empty.eof());
    QCOMPARE(empty.recordCount(), 0);
    QVERIFY(!empty.value(1).isValid());
}

void TestTableStore::indexOrderKeepsCurrentAndFilter()
{
    TableStore store(holdingFields());
    seed(store);
    QVERIFY(store.setFilter(QStringLiteral("[AccountNo] = 'A' OR [AccountNo] = 'B'")));
    QVERIFY(store.setIndexFieldNames(QStringLiteral("AccountNo;Symbol")));
    QCOMPARE(symbolsShown(store), QStringList({"AAPL", "IBM", "AAPL", "MSFT"}));
    QVERIFY(store.locate(QStringLiteral("Symbol"), QStringLiteral("MSFT")));
    QVERIFY(store.setIndexFieldNames(QStringLiteral("Price")));
    QCOMPARE(symbolsShown(store), QStringList({"IBM", "AAPL", "AAPL", "MSFT"}));
    QCOMPARE(store.value(QStringLiteral("Symbol")).toString(), QStringLiteral("MSFT"));

    // An edit that moves the row keeps it current at its new place.
    QVERIFY(store.edit());
    QVERIFY(store.setValue(QStringLiteral("Price"), 1.0));
    QVERIFY(store.post());
    QCOMPARE(store.recNo(), 0);
    QCOMPARE(store.value(QStringLiteral("Symbol")).toString(), QStringLiteral("MSFT"));
    QVERIFY(!store.setIndexFieldNames(QStringLiteral("Nope")));
    QCOMPARE(store.indexFieldNames(), QStringLiteral("Price"));
}

void TestTableStore::filterSelectsRows_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<QStringList>("symbols");

    QTest::newRow("apostrophe doubled") << "[AccountNo] = 'O''Hara'" << false << QStringList{"T"};
    QTest::newRow("one holding") << "[AccountNo] = 'B' AND [Symbol] = 'AAPL'" << false << QStringList{"AAPL"};
    QTest::newRow("case counts") << "[AccountNo] = 'b'" << false << QStringList{};
    QTest::newRow("case ignored") << "[AccountNo] = 'b'" << true << QStringList{"AAPL", "MSFT"};
    QTest::newRow("number literal") << "[Price] >= '190' AND [Price] < '300'" << false
                                    << QStringList{"AAPL", "AAPL"};
    QTest::newRow("empty lets all through")
            << "  " << false << QStringList{"AAPL", "IBM", "AAPL", "MSFT", "T"};
}

void TestTableStore::filterSelectsRows()
{
    QFETCH(QString, filter);
    QFETCH(bool, caseInsensitive);
    QFETCH(QStringList, symbols);
    TableStore store(holdingFields());
    seed(store);
    QVERIFY(store.setIndexFieldNames(QStringLiteral("AccountNo;Symbol")));
    store.setCaseInsensitive(caseInsensitive);
    QVERIFY2(store.setFilter(filter), qPrintable(store.lastError()));
    QCOMPARE(symbolsShown(store), symbols);
    QCOMPARE(store.recordCount(), symbols.size());

    // Rows posted later are placed by the same filter and order.
    addRow(store, QStringLiteral("O'Hara"), QStringLiteral("A"), 1);
    const bool shown = symbolsShown(store).size() == symbols.size() + 1;
    QCOMPARE(shown, filter.contains(QLatin1String("O''Hara")) || filter.trimmed().isEmpty());
    store.setFiltered(false);
    QCOMPARE(store.recordCount(), 6);
}

void TestTableStore::invalidFilterChangesNothing()
{
    TableStore store(holdingFields());
    seed(store);
    QVERIFY(store.setFilter(QStringLiteral("[AccountNo] = 'A'")));
    QVERIFY(!store.setFilter(QStringLiteral("[AccountNo] = 'A")));
    QCOMPARE(store.lastErrorKind(), TableStore::ErrorKind::Filter);
    QVERIFY(!store.lastError().isEmpty());
    QCOMPARE(store.filter(), QStringLiteral("[AccountNo] = 'A'"));
    QCOMPARE(store.recordCount(), 2);
}

void TestTableStore::filterTextSurvivesReopen()
{
    TableStore store(holdingFields());
    seed(store);
    QVERIFY(store.setFilter(QStringLiteral("[AccountNo] = 'A'")));
    QVERIFY(store.setIndexFieldNames(QStringLiteral("Symbol")));
    store.close();
    QVERIFY(store.createDataSet());
    addRow(store, QStringLiteral("A"), QStringLiteral("X"), 1);
    addRow(store, QStringLiteral("B"), QStringLiteral("Y"), 1);
    QCOMPARE(store.filter(), QStringLiteral("[AccountNo] = 'A'"));
    QCOMPARE(symbolsShown(store), QStringList{"X"});
}

void TestTableStore::locateIsExact()
{
    TableStore store(holdingFields());
    seed(store);
    QVERIFY(store.setIndexFieldNames(QStringLiteral("AccountNo;Symbol")));
    QVERIFY(store.locate(QStringLiteral("Symbol"), QStringLiteral("AAPL")));
    QCOMPARE(store.recNo(), 0); // the first match in index order
    QVERIFY(!store.locate(QStringLiteral("Symbol"), QStringLiteral("aapl")));
    QVERIFY(!store.locate(QStringLiteral("Symbol"), QStringLiteral("AAP")));
    QVERIFY(store.locate(QStringLiteral("Price"), 300));
    QCOMPARE(store.value(QStringLiteral("Symbol")).toString(), QStringLiteral("MSFT"));
    QVERIFY(!store.locate(QStringLiteral("NoSuchField"), 1));

    store.setFilter(QStringLiteral("[AccountNo] = 'A'"));
    QVERIFY(!store.locate(QStringLiteral("Symbol"), QStringLiteral("MSFT"))); // filtered out
}

void TestTableStore::textIsCutToWidth()
{
    TableStore store(holdingFields());
    QVERIFY(store.createDataSet());
    QVERIFY(store.append());
    QVERIFY(store.setValue(QStringLiteral("Symbol"), QStringLiteral("ABCDEFGHIJK")));
    QVERIFY(store.setValue(QStringLiteral("AccountNo"), QStringLiteral("Ünïcødé-àccount-nämé-x")));
    QVERIFY(store.post());
    QCOMPARE(store.value(QStringLiteral("Symbol")).toString(), QStringLiteral("ABCDEFGHIJ"));
    QCOMPARE(store.value(QStringLiteral("AccountNo")).toString(), QStringLiteral("Ünïcødé-àccount-nämé"));
}

void TestTableStore::valuesOfTheWrongTypeAreRefused()
{
    TableStore store(holdingFields());
    QVERIFY(store.createDataSet());
    QVERIFY(store.append());
    QVERIFY(store.setValue(QStringLiteral("Price"), 5.25));
    QVERIFY(!store.setValue(QStringLiteral("Price"), QStringLiteral("abc")));
    QCOMPARE(store.lastErrorKind(), TableStore::ErrorKind::Value);
    QCOMPARE(store.value(QStringLiteral("Price")).toDouble(), 5.25);
    QVERIFY(!store.setValue(QStringLiteral("Count"), 2.5));
    QVERIFY(!store.setValue(QStringLiteral("ID"), 99));
    QVERIFY(store.setValue(QStringLiteral("Count"), QStringLiteral(" 12 ")));
    QCOMPARE(store.value(QStringLiteral("Count")), QVariant(12));
}

void TestTableStore::idGivesCreationOrder()
{
    TableStore store(holdingFields());
    seed(store);
    QVERIFY(store.setIndexFieldNames(QStringLiteral("ID")));
    QCOMPARE(symbolsShown(store), QStringList({"MSFT", "IBM", "T", "AAPL", "AAPL"}));
    store.last();
    QCOMPARE(store.value(QStringLiteral("ID")), QVariant(5));
    QVERIFY(store.append());
    store.cancel();
    addRow(store, QStringLiteral("C"), QStringLiteral("NEW"), 1);
    QVERIFY(store.value(QStringLiteral("ID")).toInt() > 5);
    QCOMPARE(store.recNo(), 5);
}

void TestTableStore::removeAndRemoveShown()
{
    TableStore store(holdingFields());
    seed(store);
    QVERIFY(store.setIndexFieldNames(QStringLiteral("AccountNo;Symbol")));
    QVERIFY(store.locate(QStringLiteral("Symbol"), QStringLiteral("IBM")));
    QVERIFY(store.remove());
    QCOMPARE(symbolsShown(store), QStringList({"AAPL", "AAPL", "MSFT", "T"}));
    QCOMPARE(store.value(QStringLiteral("Symbol")).toString(), QStringLiteral("AAPL")); // the row after
    QVERIFY(store.setFilter(QStringLiteral("[AccountNo] = 'B'")));
    QVERIFY(store.removeShown());
    QCOMPARE(store.recordCount(), 0);
    QVERIFY(store.setFilter(QString()));
    QCOMPARE(symbolsShown(store), QStringList({"AAPL", "T"}));
    QVERIFY(!TableStore(holdingFields()).remove());
}

void TestTableStore::notifications()
{
    TableStore store(holdingFields());
    seed(store);
    QVERIFY(store.setIndexFieldNames(QStringLiteral("Symbol")));
    QSignalSpy inserted(&store, &TableStore::rowsInserted);
    QSignalSpy removed(&store, &TableStore::rowsRemoved);
    QSignalSpy changed(&store, &TableStore::rowChanged);
    QSignalSpy reset(&store, &TableStore::reset);

    QVERIFY(store.append()); // shown last while it is being inserted
    QCOMPARE(inserted.takeFirst(), QVariantList({5, 5}));
    QVERIFY(store.setValue(QStringLiteral("Symbol"), QStringLiteral("B")));
    QCOMPARE(changed.takeFirst(), QVariantList({5}));
    QVERIFY(store.post()); // then moves to its place in the order
    QCOMPARE(removed.takeFirst(), QVariantList({5, 5}));
    QCOMPARE(inserted.takeFirst(), QVariantList({2, 2}));
    QCOMPARE(store.recNo(), 2);

    QVERIFY(store.remove());
    QCOMPARE(removed.takeFirst(), QVariantList({2, 2}));
    QVERIFY(store.setFilter(QStringLiteral("[Symbol] = 'T'")));
    QCOMPARE(reset.size(), 1);
}

QTEST_GUILESS_MAIN(TestTableStore)
#include "tst_tablestore.moc"
