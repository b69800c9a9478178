#include "binding/StringGrid.h"

#include "app/MessageBox.h"
#include "binding/TableModel.h"
#include "data/TableStore.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>

namespace {
constexpr int kRowHeight = 26;

// The view draws its grid as both kinds of lines or none; this draws one kind alone.
class GridLineDelegate : public QStyledItemDelegate
{
public:
    explicit GridLineDelegate(StringGrid *grid)
        : QStyledItemDelegate(grid)
        , m_grid(grid)
    {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const bool vertical = m_grid->hasVerticalLines();
        const bool horizontal = m_grid->hasHorizontalLines();
        if (m_grid->showGrid() || (!vertical && !horizontal))
            return;
        const int hint = m_grid->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, m_grid);
        painter->save();
        painter->setPen(QColor::fromRgba(QRgb(hint)));
        if (vertical)
            painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        if (horizontal)
            painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }

private:
    StringGrid *m_grid;
};
} // namespace

StringGrid::StringGrid(QWidget *parent)
    : QTableView(parent)
    , m_model(new TableModel(this))
{
    setModel(m_model);
    setItemDelegate(new GridLineDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setShowGrid(true);
    setWordWrap(false);

    QHeaderView *rows = verticalHeader();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(kRowHeight);
    rows->hide();
    QHeaderView *columns = horizontalHeader();
    columns->setSectionsMovable(true);
    columns->setSectionsClickable(true);
    columns->setSectionResizeMode(QHeaderView::Interactive);
    columns->setHighlightSections(false);
    updateEditTriggers();

    connect(m_model, &TableModel::currentRowChanged, this, &StringGrid::followStore);
    connect(m_model, &TableModel::editRefused, this, &StringGrid::onEditRefused);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        emit cellClicked(index.column());
    });
}

StringGrid::~StringGrid() = default;

void StringGrid::setStore(TableStore *store, const QString &formatStoreName)
{
    m_model->setStore(store, formatStoreName);
}

TableStore *StringGrid::store() const
{
    return m_model->store();
}

void StringGrid::detach()
{
    m_model->detach();
}

void StringGrid::attach()
{
    m_model->attach();
}

bool StringGrid::isAttached() const
{
    return m_model->isAttached();
}

int StringGrid::columnCount() const
{
    return m_model->columnCount();
}

int StringGrid::rowCount() const
{
    return m_model->rowCount();
}

void StringGrid::setHeaderText(int column, const QString &text)
{
    m_model->setHeaderText(column, text);
}

void StringGrid::setPopupMenu(QMenu *menu)
{
    m_popupMenu = menu;
}

void StringGrid::setColumnMenu(int column, QMenu *menu)
{
    if (menu)
        m_columnMenus.insert(column, menu);
    else
        m_columnMenus.remove(column);
}

QMenu *StringGrid::popupMenu() const
{
    return m_popupMenu;
}

QMenu *StringGrid::menuForColumn(int column) const
{
    if (QMenu *own = m_columnMenus.value(column))
        return own;
    return m_popupMenu;
}

void StringGrid::setReadOnly(bool readOnly)
{
    m_model->setReadOnly(readOnly);
    updateEditTriggers();
}

bool StringGrid::isReadOnly() const
{
    return m_model->isReadOnly();
}

void StringGrid::updateEditTriggers()
{
    setEditTriggers(isReadOnly() ? QAbstractItemView::NoEditTriggers
                                 : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                           | QAbstractItemView::AnyKeyPressed);
}

void StringGrid::setRowSelection(bool rows)
{
    setSelectionBehavior(rows ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

bool StringGrid::hasRowSelection() const
{
    return selectionBehavior() == QAbstractItemView::SelectRows;
}

void StringGrid::setTextColor(const QColor &color)
{
    m_model->setTextColor(color);
}

QColor StringGrid::textColor() const
{
    return m_model->textColor();
}

void StringGrid::setGridLines(bool vertical, bool horizontal)
{
    m_verticalLines = vertical;
    m_horizontalLines = horizontal;
    setShowGrid(vertical && horizontal);
    viewport()->update();
}

// The store's cursor moved (or the model caught up with the store): put the current cell there.
void StringGrid::followStore(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() == row && !isColumnHidden(current.column()))
        return;
    int column = current.isValid() ? current.column() : m_currentColumn;
    if (column >= m_model->columnCount() || isColumnHidden(column))
        column = -1;
    for (int visual = 0; column < 0 && visual < horizontalHeader()->count(); ++visual) {
        const int logical = horizontalHeader()->logicalIndex(visual);
        if (!isColumnHidden(logical))
            column = logical;
    }
    if (column < 0)
        return;
    // What is typed into a row the store has left cannot be written any more.
    if (state() == QAbstractItemView::EditingState && m_editIndex.isValid() && m_editIndex.row() != row) {
        if (QWidget *editor = indexWidget(m_editIndex)) {
            m_editIndex = QPersistentModelIndex();
            m_refusal.clear();
            QTableView::closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        }
    }
    const QScopedValueRollback guard(m_syncing, true);
    const QModelIndex target = m_model->index(row, column);
    selectionModel()->setCurrentIndex(
            target,
            QItemSelectionModel::ClearAndSelect
                    | (hasRowSelection() ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate));
    scrollTo(target);
}

void StringGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        m_currentColumn = current.column();
    if (m_syncing || m_model->isFollowingStore() || !current.isValid())
        return;
    moveStoreTo(current);
    emit selectionChanged();
}

void StringGrid::moveStoreTo(const QModelIndex &current)
{
    TableStore *s = store();
    if (!s || !isAttached() || current.row() == s->recNo())
        return;
    const int clickedRow = current.row();
    const QPersistentModelIndex target(current);
    {
        const QScopedValueRollback guard(m_syncing, true);
        // Leaving an edited row posts it, which may move rows; the target follows its row.
        if (s->state() == TableStore::State::Edit || s->state() == TableStore::State::Insert)
            s->post();
        if (target.isValid())
            s->setRecNo(target.row());
    }
    m_reselect = !target.isValid() || target.row() != clickedRow;
    followStore(s->recNo());
}

void StringGrid::mousePressEvent(QMouseEvent *event)
{
    m_reselect = false;
    QTableView::mousePressEvent(event);
    // A press selects by position, which no longer holds the row if posting moved rows.
    if (m_reselect) {
        m_reselect = false;
        const QScopedValueRollback guard(m_syncing, true);
        selectionModel()->select(
                currentIndex(),
                QItemSelectionModel::ClearAndSelect
                        | (hasRowSelection() ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate));
    }
}

bool StringGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool wasEditing = state() == QAbstractItemView::EditingState;
    const bool editing = QTableView::edit(index, trigger, event);
    if (editing && !wasEditing) {
        m_editIndex = index;
        m_committed = false;
        m_refusal.clear();
    }
    return editing;
}

void StringGrid::commitData(QWidget *editor)
{
    m_refusal.clear();
    QTableView::commitData(editor);
    m_committed = true;
}

void StringGrid::onEditRefused(const QString &message)
{
    // A box shown while the editor is open would take its focus and commit it again.
    if (state() == QAbstractItemView::EditingState)
        m_refusal = message;
    else
        MessageBox::warning(this, tr("Tillwick"), message);
}

void StringGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QPersistentModelIndex edited = std::exchange(m_editIndex, QPersistentModelIndex());
    const bool committed = std::exchange(m_committed, false);
    const QString refusal = std::exchange(m_refusal, QString());
    // Sent before moving on, while the store still stands on the edited row.
    if (committed && refusal.isEmpty() && edited.isValid())
        emit editingDone(edited.column(), edited.row());
    if (state() == QAbstractItemView::EditingState)
        QTableView::closeEditor(editor, refusal.isEmpty() ? hint : QAbstractItemDelegate::NoHint);
    if (!refusal.isEmpty())
        MessageBox::warning(this, tr("Tillwick"), refusal);
}

void StringGrid::contextMenuEvent(QContextMenuEvent *event)
{
    const bool byMouse = event->reason() == QContextMenuEvent::Mouse;
    const QModelIndex index = byMouse ? indexAt(event->pos()) : currentIndex();
    QMenu *menu = index.isValid() ? menuForColumn(index.column()) : m_popupMenu.data();
    if (!menu) {
        event->ignore();
        return;
    }
    const QPoint at = byMouse || !index.isValid() ? event->globalPos()
                                                  : viewport()->mapToGlobal(visualRect(index).center());
    menu->popup(at);
    event->accept();
}
