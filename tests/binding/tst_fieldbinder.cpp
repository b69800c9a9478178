// Edit boxes and drop-down lists bound to a field of the current row.
#include "app/MessageBox.h"
#include "binding/FieldBinder.h"
#include "data/TableStore.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {
enum Column { ID, Symbol, Quantity, Transaction };

FieldList fields()
{
    return {{QStringLiteral("ID"), FieldType::AutoInc, 0},
            {QStringLiteral("Symbol"), FieldType::Text, 10},
            {QStringLiteral("Quantity"), FieldType::Number, 0},
            {QStringLiteral("Transaction"), FieldType::Text, 20}};
}

void addRow(TableStore &store, const QString &symbol, double quantity, const QString &transaction)
{
    QVERIFY(store.append());
    QVERIFY(store.setValue(Symbol, symbol));
    QVERIFY(store.setValue(Quantity, quantity));
    QVERIFY(store.setValue(Transaction, transaction));
    QVERIFY(store.post());
}

// AAPL then IBM; the cursor on AAPL.
void seed(TableStore &store)
{
    QVERIFY(store.createDataSet());
    QVERIFY(store.setIndexFieldNames(QStringLiteral("Symbol")));
    addRow(store, QStringLiteral("AAPL"), 10, QStringLiteral("Purchase"));
    addRow(store, QStringLiteral("IBM"), 1234.5, QStringLiteral("Sell"));
    store.first();
}

void retype(QLineEdit &edit, const QString &text)
{
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClicks(&edit, text);
}
} // namespace

class TestFieldBinder : public QObject
{
    Q_OBJECT

private slots:
    void showsFieldOfCurrentRow();
    void writesWhenEditingEnds();
    void readsNumbers_data();
    void readsNumbers();
    void comboWritesChoiceAtOnce();
    void detachStopsFollowing();
    void cleanup() { MessageBox::setNextAnswer(QMessageBox::NoButton); }
};

void TestFieldBinder::showsFieldOfCurrentRow()
{
    TableStore store(fields());
    seed(store);
    QLineEdit symbol;
    QLineEdit quantity;
    FieldBinder symbolBinder(&symbol, &store, QStringLiteral("Symbol"));
    FieldBinder quantityBinder(&quantity, &store, QStringLiteral("Quantity"));
    QCOMPARE(symbol.text(), QStringLiteral("AAPL"));
    QCOMPARE(quantity.text(), QStringLiteral("10"));

    store.next();
    QCOMPARE(quantity.text(), QStringLiteral("1234.5")); // general form, no grouping
    QVERIFY(store.edit());
    QVERIFY(store.setValue(Quantity, 0.0));
    QCOMPARE(quantity.text(), QStringLiteral("0"));
    store.cancel();
    QCOMPARE(quantity.text(), QStringLiteral("1234.5"));

    QVERIFY(store.append());
    QCOMPARE(symbol.text(), QString());
    store.cancel();
    QCOMPARE(symbol.text(), QStringLiteral("IBM"));
    QVERIFY(store.setFilter(QStringLiteral("[Symbol] = 'AAPL'")));
    QCOMPARE(symbol.text(), QStringLiteral("AAPL"));
    QVERIFY(store.close());
    QCOMPARE(symbol.text(), QString());
}

void TestFieldBinder::writesWhenEditingEnds()
{
    TableStore store(fields());
    seed(store);
    QWidget panel;
    auto *symbol = new QLineEdit(&panel);
    auto *quantity = new QLineEdit(&panel);
    quantity->move(0, 40);
    FieldBinder symbolBinder(symbol, &store, QStringLiteral("Symbol"));
    FieldBinder quantityBinder(quantity, &store, QStringLiteral("Quantity"));
    panel.show();
    QVERIFY(QTest::qWaitForWindowActive(&panel));

    // Ending an edit that changed nothing leaves the row alone.
    QTest::keyClick(symbol, Qt::Key_Return);
    QCOMPARE(store.state(), TableStore::State::Browse);

    retype(*symbol, QStringLiteral("MSFT"));
    QCOMPARE(store.value(Symbol).toString(), QStringLiteral("AAPL"));
    QCOMPARE(store.state(), TableStore::State::Browse);
    QTest::keyClick(symbol, Qt::Key_Return);
    QCOMPARE(store.state(), TableStore::State::Edit);
    QCOMPARE(store.value(Symbol).toString(), QStringLiteral("MSFT"));

    // A change of the row while the user types into a box keeps what is typed there.
    quantity->setFocus();
    QTRY_VERIFY(quantity->hasFocus());
    retype(*quantity, QStringLiteral("2,000"));
    QVERIFY(store.setValue(Symbol, QStringLiteral("MSFT2")));
    QCOMPARE(quantity->text(), QStringLiteral("2,000"));
    QCOMPARE(symbol->text(), QStringLiteral("MSFT2"));
    // commit() takes what is typed, for code that posts while the box still has the focus.
    QVERIFY(quantityBinder.commit());
    QCOMPARE(store.value(Quantity).toDouble(), 2000.0);
    QCOMPARE(quantity->text(), QStringLiteral("2000"));

    QVERIFY(store.post());
    QCOMPARE(symbol->text(), QStringLiteral("MSFT2"));
}

void TestFieldBinder::readsNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("commas") << "1,234.5" << true << 1234.5 << "1234.5";
    QTest::newRow("blanks") << " 7 " << true << 7.0 << "7";
    QTest::newRow("empty") << "" << true << 0.0 << "0";
    QTest::newRow("not a number") << "12,5x" << false << 10.0 << "10";
    QTest::newRow("decimal comma") << "12.5.0" << false << 10.0 << "10";
}

void TestFieldBinder::readsNumbers()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(double, stored);
    QFETCH(QString, shown);
    TableStore store(fields());
    seed(store);
    QLineEdit quantity;
    FieldBinder binder(&quantity, &store, QStringLiteral("Quantity"));
    if (!accepted)
        MessageBox::setNextAnswer(QMessageBox::Ok);

    retype(quantity, typed);
    QTest::keyClick(&quantity, Qt::Key_Return);
    QCOMPARE(store.value(Quantity).toDouble(), stored);
    QCOMPARE(quantity.text(), shown);
    QCOMPARE(store.state(), accepted ? TableStore::State::Edit : TableStore::State::Browse);
    if (!accepted) {
        QVERIFY2(MessageBox::lastText().contains(typed), qPrintable(MessageBox::lastText()));
        QVERIFY(MessageBox::lastText().contains(QStringLiteral("Quantity")));
    }
}

void TestFieldBinder::comboWritesChoiceAtOnce()
{
    TableStore store(fields());
    seed(store);
    QComboBox combo;
    combo.addItems({QStringLiteral("Purchase"), QStringLiteral("Sell"), QStringLiteral("Split")});
    FieldBinder binder(&combo, &store, QStringLiteral("Transaction"));
    QCOMPARE(combo.currentIndex(), 0);
    store.next();
    QCOMPARE(combo.currentIndex(), 1);
    QCOMPARE(store.state(), TableStore::State::Browse); // showing the field writes nothing

    combo.setCurrentIndex(2);
    QCOMPARE(store.state(), TableStore::State::Edit);
    QCOMPARE(store.value(Transaction).toString(), QStringLiteral("Split"));

    QVERIFY(store.setValue(Transaction, QStringLiteral("Chart")));
    QCOMPARE(combo.currentIndex(), -1);
}

void TestFieldBinder::detachStopsFollowing()
{
    TableStore store(fields());
    seed(store);
    QLineEdit symbol;
    FieldBinder binder(&symbol, &store, QStringLiteral("Symbol"));
    binder.detach();
    store.next();
    QCOMPARE(symbol.text(), QString());
    retype(symbol, QStringLiteral("MSFT"));
    QTest::keyClick(&symbol, Qt::Key_Return);
    QCOMPARE(store.state(), TableStore::State::Browse);
    QCOMPARE(store.value(Symbol).toString(), QStringLiteral("IBM"));

    binder.attach();
    QCOMPARE(symbol.text(), QStringLiteral("IBM"));
    store.first();
    QCOMPARE(symbol.text(), QStringLiteral("AAPL"));
}

QTEST_MAIN(TestFieldBinder)
#include "tst_fieldbinder.moc"
