#include "binding/TableModel.h"

#include "binding/FieldText.h"
#include "data/TableStore.h"

#include <QPersistentModelIndex>

TableModel::TableModel(QObject *parent)
    : QAbstractTableModel(parent)
{}

TableModel::TableModel(TableStore *store, const QString &formatStoreName, QObject *parent)
    : QAbstractTableModel(parent)
{
    setStore(store, formatStoreName);
}

TableModel::~TableModel()
{
    disconnectStore();
}

void TableModel::setStore(TableStore *store, const QString &formatStoreName)
{
    disconnectStore();
    beginResetModel();
    if (store != m_store)
        m_headers.clear();
    m_store = store;
    m_formatStoreName = formatStoreName;
    m_fields = store ? store->fields() : FieldList();
    refreshFormats();
    m_rowCount = store && m_attached ? store->rowsShown() : 0;
    endResetModel();
    if (m_attached)
        connectStore();
    emit currentRowChanged(store && m_attached ? store->recNo() : -1);
}

TableStore *TableModel::store() const
{
    return m_store;
}

void TableModel::detach()
{
    if (!m_attached)
        return;
    m_attached = false;
    disconnectStore();
    resync();
}

void TableModel::attach()
{
    if (m_attached)
        return;
    m_attached = true;
    connectStore();
    resync();
}

void TableModel::connectStore()
{
    if (!m_store)
        return;
    TableStore *s = m_store;
    m_connections = {
            connect(s, &TableStore::rowChanged, this, &TableModel::onRowChanged),
            connect(s, &TableStore::rowsInserted, this, &TableModel::onRowsInserted),
            connect(s, &TableStore::rowsRemoved, this, &TableModel::onRowsRemoved),
            connect(s, &TableStore::currentChanged, this, &TableModel::onCurrentChanged),
            connect(s, &TableStore::reset, this, &TableModel::onStoreReset),
            connect(s,
                    &TableStore::stateChanged,
                    this,
                    [this](TableStore::State state) {
                        if (state == TableStore::State::Inactive)
                            onStoreReset();
                    }),
            // The store is gone: forget it without touching it.
            connect(s,
                    &QObject::destroyed,
                    this,
                    [this] {
                        disconnectStore();
                        beginResetModel();
                        m_fields.clear();
                        m_formats.clear();
                        m_rowCount = 0;
                        endResetModel();
                    }),
    };
}

void TableModel::disconnectStore()
{
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
}

void TableModel::refreshFormats()
{
    m_formats.assign(m_fields.size(), FieldFormat());
    for (int f = 0; f < m_fields.size(); ++f) {
        const QString name = m_fields.at(f).name;
        const auto it = m_formatOverrides.constFind(name.toLower());
        m_formats[f] = it != m_formatOverrides.constEnd() ? *it : ::fieldFormat(m_formatStoreName, name);
    }
}

// Brings the views up to the store after it changed its rows wholesale (filter, order, open,
// close, another layout). The views keep their column layout across a reset.
void TableModel::resync()
{
    TableStore *s = m_store;
    ++m_following;
    beginResetModel();
    m_fields = s ? s->fields() : FieldList();
    refreshFormats();
    m_rowCount = s && m_attached ? s->rowsShown() : 0;
    endResetModel();
    --m_following;
    emit currentRowChanged(s && m_attached ? s->recNo() : -1);
}

int TableModel::storeRow(int row) const
{
    if (m_changeFirst < 0 || row < m_changeFirst)
        return row;
    if (m_changeGone && row <= m_changeLast)
        return -1;
    return row + m_changeShift;
}

void TableModel::onRowChanged(int row)
{
    if (row >= 0 && row < m_rowCount && !m_fields.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(m_fields.size()) - 1));
}

void TableModel::onRowsInserted(int first, int last)
{
    const int count = last - first + 1;
    if (first < 0 || count <= 0 || first > m_rowCount || m_rowCount + count != m_store->rowsShown()) {
        resync();
        return;
    }
    ++m_following;
    m_changeFirst = first;
    m_changeShift = count;
    m_changeGone = false;
    beginInsertRows(QModelIndex(), first, last);
    m_rowCount += count;
    m_changeFirst = -1;
    endInsertRows();
    --m_following;
}

void TableModel::onRowsRemoved(int first, int last)
{
    const int count = last - first + 1;
    if (first < 0 || count <= 0 || last >= m_rowCount || m_rowCount - count != m_store->rowsShown()) {
        resync();
        return;
    }
    ++m_following;
    m_changeFirst = first;
    m_changeLast = last;
    m_changeShift = -count;
    m_changeGone = true;
    beginRemoveRows(QModelIndex(), first, last);
    m_rowCount -= count;
    m_changeFirst = -1;
    endRemoveRows();
    --m_following;
}

void TableModel::onCurrentChanged(int row)
{
    emit currentRowChanged(row);
}

void TableModel::onStoreReset()
{
    resync();
}

void TableModel::setFieldFormat(const QString &fieldName, const FieldFormat &format)
{
    m_formatOverrides.insert(fieldName.toLower(), format);
    refreshFormats();
    if (m_rowCount > 0 && !m_fields.isEmpty())
        emit dataChanged(index(0, 0), index(m_rowCount - 1, int(m_fields.size()) - 1));
}

FieldFormat TableModel::fieldFormatAt(int column) const
{
    return column >= 0 && column < int(m_formats.size()) ? m_formats[column] : FieldFormat();
}

void TableModel::setHeaderText(int column, const QString &text)
{
    m_headers.insert(column, text);
    if (column >= 0 && column < m_fields.size())
        emit headerDataChanged(Qt::Horizontal, column, column);
}

QString TableModel::headerText(int column) const
{
    const auto it = m_headers.constFind(column);
    if (it != m_headers.constEnd())
        return *it;
    return column >= 0 && column < m_fields.size() ? m_fields.at(column).name : QString();
}

void TableModel::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
}

void TableModel::setTextColor(const QColor &color)
{
    m_textColor = color;
    if (m_rowCount > 0 && !m_fields.isEmpty())
        emit dataChanged(index(0, 0), index(m_rowCount - 1, int(m_fields.size()) - 1), {Qt::ForegroundRole});
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!m_store || !index.isValid() || index.row() >= m_rowCount || index.column() >= m_fields.size())
        return {};
    const int column = index.column();
    const FieldType type = m_fields.at(column).type;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        const int row = storeRow(index.row());
        if (row < 0)
            return {};
        const QVariant value = m_store->valueAt(row, column);
        return role == Qt::DisplayRole ? FieldText::display(value, type, m_formats[column].display)
                                       : FieldText::edit(value, type, m_formats[column].edit);
    }
    case Qt::TextAlignmentRole:
        if (type != FieldType::Text && type != FieldType::Boolean && type != FieldType::DateTime)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::ForegroundRole:
        return m_textColor.isValid() ? QVariant(m_textColor) : QVariant();
    default:
        return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_fields.size())
        return headerText(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (!m_readOnly && m_store && m_attached && index.column() < m_fields.size()
        && m_fields.at(index.column()).type != FieldType::AutoInc)
        f |= Qt::ItemIsEditable;
    return f;
}

bool TableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.model() != this || m_following > 0
        || !(flags(index) & Qt::ItemIsEditable) || !m_store->isOpen())
        return false;
    const int column = index.column();
    const QString text = value.toString();
    // An editor closed without a change leaves the row as it is (and keeps what the edit
    // format would round off).
    if (text == data(index, Qt::EditRole).toString())
        return true;
    QVariant typed;
    QString error;
    if (!FieldText::read(text, m_fields.at(column).type, headerText(column), &typed, &error)) {
        emit editRefused(error);
        return false;
    }

    TableStore *s = m_store;
    if (s->recNo() != index.row()) {
        // Posting the row being edited may move rows; the persistent index follows its row.
        const QPersistentModelIndex target(index);
        if ((s->state() == TableStore::State::Edit || s->state() == TableStore::State::Insert)
            && !s->post()) {
            emit editRefused(s->lastError());
            return false;
        }
        if (!target.isValid() || !s->setRecNo(target.row()))
            return false;
    }
    const bool wasBrowsing = s->state() == TableStore::State::Browse;
    if (!s->edit() || !s->setValue(column, typed)) {
        const QString reason = s->lastError();
        if (wasBrowsing)
            s->cancel();
        emit editRefused(tr("%1 could not be changed. %2").arg(headerText(column), reason));
        return false;
    }
    return true;
}
