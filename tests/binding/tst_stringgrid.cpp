// The grid over a store: cursor in step both ways, editing cells, messages, menus, layout.
#include "app/MessageBox.h"
#include "binding/StringGrid.h"
#include "data/TableStore.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {
enum Column { ID, Symbol, Quantity, Price };

FieldList fields()
{
    return {{QStringLiteral("ID"), FieldType::AutoInc, 0},
            {QStringLiteral("Symbol"), FieldType::Text, 10},
            {QStringLiteral("Quantity"), FieldType::Number, 0},
            {QStringLiteral("Price"), FieldType::Number, 0}};
}

void addRow(TableStore &store, const QString &symbol, double price)
{
    QVERIFY(store.append());
    QVERIFY(store.setValue(Symbol, symbol));
    QVERIFY(store.setValue(Quantity, 5.0));
    QVERIFY(store.setValue(Price, price));
    QVERIFY(store.post());
}

// AAPL, IBM, MSFT in symbol order; the cursor ends on IBM, the last row posted.
class GridFixture
{
public:
    GridFixture()
        : store(fields())
    {
        store.createDataSet();
        store.setIndexFieldNames(QStringLiteral("Symbol"));
        addRow(store, QStringLiteral("MSFT"), 300);
        addRow(store, QStringLiteral("AAPL"), 190);
        addRow(store, QStringLiteral("IBM"), 150);
        grid.setStore(&store, QStringLiteral("ClientDataSet1"));
        tester = std::make_unique<QAbstractItemModelTester>(
                grid.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        grid.resize(640, 320);
        grid.show();
    }

    QModelIndex cell(int row, int column) const { return grid.model()->index(row, column); }
    QPoint centre(int row, int column) const { return grid.visualRect(cell(row, column)).center(); }

    QStringList symbols() const
    {
        QStringList out;
        for (int r = 0; r < grid.model()->rowCount(); ++r)
            out << cell(r, Symbol).data().toString();
        return out;
    }

    // The open cell editor, if any.
    QLineEdit *editor() const
    {
        const auto edits = grid.viewport()->findChildren<QLineEdit *>();
        for (QLineEdit *e : edits) {
            if (e->isVisible())
                return e;
        }
        return nullptr;
    }

    QLineEdit *openEditor(int row, int column)
    {
        grid.setCurrentIndex(cell(row, column));
        grid.edit(cell(row, column));
        return editor();
    }

    TableStore store;
    StringGrid grid;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

void typeAndEnter(QLineEdit *editor, const QString &text)
{
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

// Closes and counts any box nobody answered, so an unexpected message fails a test, not hangs it.
class UnansweredBoxes : public QObject
{
public:
    UnansweredBoxes()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                ++count;
                box->close();
            }
        });
        m_timer.start(20);
    }
    int count = 0;

private:
    QTimer m_timer;
};
} // namespace

class TestStringGrid : public QObject
{
    Q_OBJECT

private slots:
    void cursorFollowsBothWays_data();
    void cursorFollowsBothWays();
    void typingEditsCellAndLeavingRowPosts();
    void clickAfterEditSelectsTheClickedRow();
    void escapeDiscardsEdit();
    void clickAndEditingDoneCarryCell_data();
    void clickAndEditingDoneCarryCell();
    void refusedNumberKeepsValueAndShowsOneMessage();
    void readOnlyGridDoesNotEdit();
    void columnMenuTakesPlaceOfGridMenu_data();
    void columnMenuTakesPlaceOfGridMenu();
    void detachStopsFollowing();
    void columnLayoutSurvivesStoreChanges_data();
    void columnLayoutSurvivesStoreChanges();
    void cleanup() { MessageBox::setNextAnswer(QMessageBox::NoButton); }
};

void TestStringGrid::cursorFollowsBothWays_data()
{
    QTest::addColumn<bool>("rowSelection");
    QTest::newRow("cells") << false;
    QTest::newRow("rows") << true;
}

void TestStringGrid::cursorFollowsBothWays()
{
    QFETCH(bool, rowSelection);
    GridFixture f;
    f.grid.setRowSelection(rowSelection);
    QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
    QCOMPARE(f.grid.currentIndex().row(), f.store.recNo());
    QSignalSpy selected(&f.grid, &StringGrid::selectionChanged);

    f.grid.setCurrentIndex(f.cell(2, Symbol));
    QCOMPARE(f.store.recNo(), 2);
    QCOMPARE(selected.count(), 1);

    // The store moving the cursor is not the user selecting.
    f.store.first();
    QCOMPARE(f.grid.currentIndex(), f.cell(0, Symbol));
    QVERIFY(f.store.locate(QStringLiteral("Symbol"), QStringLiteral("IBM")));
    QCOMPARE(f.grid.currentIndex(), f.cell(1, Symbol));
    QCOMPARE(selected.count(), 1);
    QCOMPARE(f.grid.selectionModel()->selectedIndexes().size(), rowSelection ? f.grid.columnCount() : 1);

    QTest::mouseClick(f.grid.viewport(), Qt::LeftButton, {}, f.centre(2, Price));
    QCOMPARE(f.store.value(Symbol).toString(), QStringLiteral("MSFT"));
    QCOMPARE(selected.count(), 2);
}

void TestStringGrid::typingEditsCellAndLeavingRowPosts()
{
    GridFixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
    QSignalSpy done(&f.grid, &StringGrid::editingDone);
    f.grid.setCurrentIndex(f.cell(0, Symbol)); // AAPL

    QTest::keyClick(&f.grid, 'Z');
    QLineEdit *editor = f.editor();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("Z"));
    QTest::keyClicks(editor, QStringLiteral("ZZ"));
    QCOMPARE(f.store.state(), TableStore::State::Browse); // nothing written while typing
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(done.count(), 1);
    QCOMPARE(done.at(0), (QVariantList{int(Symbol), 0}));
    QCOMPARE(f.store.state(), TableStore::State::Edit);
    QCOMPARE(f.store.value(Symbol).toString(), QStringLiteral("ZZZ"));
    QCOMPARE(f.symbols(), QString("ZZZ IBM MSFT").split(' '));

    // Moving down posts the row, which moves to its place; the cursor lands on the row moved to.
    QTest::keyClick(&f.grid, Qt::Key_Down);
    QCOMPARE(f.store.state(), TableStore::State::Browse);
    QCOMPARE(f.symbols(), QString("IBM MSFT ZZZ").split(' '));
    QCOMPARE(f.store.value(Symbol).toString(), QStringLiteral("IBM"));
    QCOMPARE(f.grid.currentIndex(), f.cell(0, Symbol));
    QCOMPARE(f.grid.selectionModel()->selectedIndexes(), QModelIndexList{f.cell(0, Symbol)});
}

// A press selects by position; when posting moves rows the clicked row is elsewhere by then.
void TestStringGrid::clickAfterEditSelectsTheClickedRow()
{
    GridFixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
    f.grid.setCurrentIndex(f.cell(0, Symbol));
    QVERIFY(f.grid.model()->setData(f.cell(0, Symbol), QStringLiteral("ZZZ")));

    QTest::mouseClick(f.grid.viewport(), Qt::LeftButton, {}, f.centre(1, Price)); // IBM
    QCOMPARE(f.store.state(), TableStore::State::Browse);
    QCOMPARE(f.store.value(Symbol).toString(), QStringLiteral("IBM"));
    QCOMPARE(f.grid.currentIndex(), f.cell(0, Price));
    QCOMPARE(f.grid.selectionModel()->selectedIndexes(), QModelIndexList{f.cell(0, Price)});
}

void TestStringGrid::escapeDiscardsEdit()
{
    GridFixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
    QSignalSpy done(&f.grid, &StringGrid::editingDone);
    QLineEdit *editor = f.openEditor(1, Price);
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("99"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(!f.editor());
    QCOMPARE(done.count(), 0);
    QCOMPARE(f.store.state(), TableStore::State::Browse);
    QCOMPARE(f.cell(1, Price).data().toString(), QStringLiteral("150"));
}

void TestStringGrid::clickAndEditingDoneCarryCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("price") << 1 << int(Price) << "7"
                           << "7";
    QTest::newRow("quantity") << 2 << int(Quantity) << "1500"
                              << "1,500";
    QTest::newRow("symbol") << 0 << int(Symbol) << "AA"
                            << "AA";
}

void TestStringGrid::clickAndEditingDoneCarryCell()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    GridFixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
    QSignalSpy clicked(&f.grid, &StringGrid::cellClicked);
    QSignalSpy done(&f.grid, &StringGrid::editingDone);

    QTest::mouseClick(f.grid.viewport(), Qt::LeftButton, {}, f.centre(row, column));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), column);
    QCOMPARE(f.store.recNo(), row);

    QTest::mouseDClick(f.grid.viewport(), Qt::LeftButton, {}, f.centre(row, column));
    QLineEdit *editor = f.editor();
    QVERIFY(editor);
    typeAndEnter(editor, text);
    QTRY_COMPARE(done.count(), 1);
    QCOMPARE(done.at(0), (QVariantList{column, row}));
    QCOMPARE(f.cell(row, column).data().toString(), shown);
}

void TestStringGrid::refusedNumberKeepsValueAndShowsOneMessage()
{
    GridFixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
    UnansweredBoxes unanswered;
    QSignalSpy done(&f.grid, &StringGrid::editingDone);

    MessageBox::setNextAnswer(QMessageBox::Ok);
    QLineEdit *editor = f.openEditor(1, Quantity);
    QVERIFY(editor);
    typeAndEnter(editor, QStringLiteral("12,5x"));
    QTRY_VERIFY(!f.editor());
    QTest::qWait(100);

    QVERIFY2(MessageBox::lastText().contains(QStringLiteral("12,5x")), qPrintable(MessageBox::lastText()));
    QVERIFY(MessageBox::lastText().contains(QStringLiteral("Quantity")));
    QCOMPARE(unanswered.count, 0);
    QCOMPARE(done.count(), 0);
    QCOMPARE(f.store.state(), TableStore::State::Browse);
    QCOMPARE(f.cell(1, Quantity).data().toString(), QStringLiteral("5"));
}

void TestStringGrid::readOnlyGridDoesNotEdit()
{
    GridFixture f;
    f.grid.setReadOnly(true);
    QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
    f.grid.setCurrentIndex(f.cell(0, Price));
    QTest::keyClick(&f.grid, '7');
    QTest::mouseDClick(f.grid.viewport(), Qt::LeftButton, {}, f.centre(0, Price));
    QVERIFY(!f.editor());
    QCOMPARE(f.store.state(), TableStore::State::Browse);
}

void TestStringGrid::columnMenuTakesPlaceOfGridMenu_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("ownMenu");
    QTest::newRow("column with a menu") << int(Price) << true;
    QTest::newRow("other column") << int(Quantity) << false;
}

void TestStringGrid::columnMenuTakesPlaceOfGridMenu()
{
    QFETCH(int, column);
    QFETCH(bool, ownMenu);
    GridFixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
    QMenu gridMenu;
    gridMenu.addAction(QStringLiteral("Grid"));
    QMenu columnMenu;
    columnMenu.addAction(QStringLiteral("Column"));
    f.grid.setPopupMenu(&gridMenu);
    f.grid.setColumnMenu(Price, &columnMenu);

    const QPoint at = f.centre(1, column);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, f.grid.viewport()->mapToGlobal(at));
    QApplication::sendEvent(f.grid.viewport(), &event);
    QMenu *opened = ownMenu ? &columnMenu : &gridMenu;
    QMenu *other = ownMenu ? &gridMenu : &columnMenu;
    QTRY_VERIFY(opened->isVisible());
    QVERIFY(!other->isVisible());
    opened->hide();
}

void TestStringGrid::detachStopsFollowing()
{
    GridFixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
    f.grid.detach();
    QCOMPARE(f.grid.rowCount(), 0);
    QCOMPARE(f.grid.columnCount(), 4);
    addRow(f.store, QStringLiteral("GOOG"), 140);
    f.store.first();
    QCOMPARE(f.grid.rowCount(), 0);

    f.grid.attach();
    QCOMPARE(f.symbols(), QString("AAPL GOOG IBM MSFT").split(' '));
    QCOMPARE(f.grid.currentIndex().row(), 0);
    f.store.last();
    QCOMPARE(f.grid.currentIndex().row(), 3);
}

void TestStringGrid::columnLayoutSurvivesStoreChanges_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("filter") << "filter";
    QTest::newRow("index order") << "order";
    QTest::newRow("close and open") << "reopen";
}

// Filters change at every account click and sorts reopen the store; the column layout the
// program set, and what the user moved, must stay.
void TestStringGrid::columnLayoutSurvivesStoreChanges()
{
    QFETCH(QString, change);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    GridFixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.grid));
    f.grid.hideColumn(ID);
    f.grid.setHeaderText(Price, QStringLiteral("Last Price"));
    f.grid.setColumnWidth(Symbol, 160);
    f.grid.horizontalHeader()->moveSection(f.grid.horizontalHeader()->visualIndex(Price), 1);
    f.grid.setCurrentIndex(f.cell(2, Symbol));

    if (change == QLatin1String("filter")) {
        QVERIFY(f.store.setFilter(QStringLiteral("[Symbol] <> 'IBM'")));
    } else if (change == QLatin1String("order")) {
        QVERIFY(f.store.setIndexFieldNames(QStringLiteral("Price")));
    } else {
        f.store.setFileName(dir.filePath(QStringLiteral("Summary.cds")));
        QVERIFY(f.store.close());
        QCOMPARE(f.grid.rowCount(), 0);
        QVERIFY(f.store.setIndexFieldNames(QStringLiteral("Price")));
        QVERIFY(f.store.open());
    }

    QCOMPARE(f.grid.rowCount(), f.store.rowsShown());
    QVERIFY(f.grid.isColumnHidden(ID));
    QCOMPARE(f.grid.model()->headerData(Price, Qt::Horizontal).toString(), QStringLiteral("Last Price"));
    QCOMPARE(f.grid.columnWidth(Symbol), 160);
    QCOMPARE(f.grid.horizontalHeader()->visualIndex(Price), 1);
    QCOMPARE(f.grid.rowHeight(0), 26);
    QCOMPARE(f.grid.currentIndex().row(), f.store.recNo());
    QCOMPARE(f.grid.currentIndex().column(), int(Symbol));
}

QTEST_MAIN(TestStringGrid)
#include "tst_stringgrid.moc"
