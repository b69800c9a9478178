#include "support/WindowDriver.h"

#include "app/Tillwick.h"
#include "app/Windows.h"
#include "binding/StringGrid.h"

#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

QStringList topLines()
{
    QStringList lines;
    for (int i = 0; i < Tillwick1->TreeView1->topLevelItemCount(); ++i)
        lines << Tillwick1->TreeView1->topLevelItem(i)->text(0);
    return lines;
}

void clickAccountLine(int line)
{
    QTreeWidget *tree = Tillwick1->TreeView1;
    QTreeWidgetItem *item = tree->topLevelItem(line);
    QVERIFY(item);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

void clickGridRow(StringGrid *grid, int row)
{
    // The first shown column: the leading ones are hidden in most grids.
    int column = 0;
    while (column < grid->model()->columnCount() && grid->isColumnHidden(column))
        ++column;
    const QModelIndex index = grid->model()->index(row, column);
    QVERIFY(index.isValid());
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

QString cell(StringGrid *grid, int row, int column)
{
    return grid->model()->index(row, column).data(Qt::DisplayRole).toString();
}

void editCell(StringGrid *grid, int row, int column, const QString &text)
{
    const QModelIndex index = grid->model()->index(row, column);
    grid->setCurrentIndex(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
    grid->edit(index);
    auto *editor = grid->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate ends the edit from the event loop.
    QTRY_VERIFY(!grid->viewport()->findChild<QLineEdit *>() || !editor->isVisible());
}
