#pragma once

#include <QAbstractItemDelegate>
#include <QColor>
#include <QHash>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>

class QMenu;
class TableModel;
class TableStore;

// The program's grid: a table view over the rows a table store shows, one column per field.
// Its current row and the store's cursor follow each other. Columns are addressed by field
// position; the user may resize and move them.
class StringGrid : public QTableView
{
    Q_OBJECT

public:
    explicit StringGrid(QWidget *parent = nullptr);
    ~StringGrid() override;
    using QTableView::edit;

    // formatStoreName names the store in the table of number formats ("ClientDataSet1", ...).
    void setStore(TableStore *store, const QString &formatStoreName = QString());
    TableStore *store() const;
    TableModel *tableModel() const { return m_model; }

    // A detached grid shows no rows and stops following its store until attached again;
    // its column layout stays.
    void detach();
    void attach();
    bool isAttached() const;

    int columnCount() const;
    int rowCount() const;
    void setHeaderText(int column, const QString &text);

    // The pop-up menu of the whole grid, and menus of single columns that take its place there.
    void setPopupMenu(QMenu *menu);
    QMenu *popupMenu() const;
    void setColumnMenu(int column, QMenu *menu);
    // The menu a right click in column opens, or null.
    QMenu *menuForColumn(int column) const;

    void setReadOnly(bool readOnly);
    bool isReadOnly() const;
    // Whole rows selected, for the read-only grids.
    void setRowSelection(bool rows);
    bool hasRowSelection() const;

    void setTextColor(const QColor &color);
    QColor textColor() const;

    // Lines between columns and between rows, each on its own.
    void setGridLines(bool vertical, bool horizontal);
    bool hasVerticalLines() const { return m_verticalLines; }
    bool hasHorizontalLines() const { return m_horizontalLines; }

Q_SIGNALS:
    // A click on a cell, in the column at field position column.
    void cellClicked(int column);
    // Editing of a cell ended and the text was taken.
    void editingDone(int column, int row);
    // The user moved the selected cell (not sent when the store moves the cursor).
    void selectionChanged();

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void commitData(QWidget *editor) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void followStore(int row);
    void moveStoreTo(const QModelIndex &current);
    void onEditRefused(const QString &message);
    void updateEditTriggers();

    TableModel *m_model = nullptr;
    QPointer<QMenu> m_popupMenu;
    QHash<int, QPointer<QMenu>> m_columnMenus;
    bool m_verticalLines = true;
    bool m_horizontalLines = true;

    int m_currentColumn = -1; // kept while the store's rows are replaced
    bool m_syncing = false;
    bool m_reselect = false;
    QPersistentModelIndex m_editIndex;
    bool m_committed = false;
    QString m_refusal;
};
