#include "data/TableStore.h"

#include "data/TableFile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <numeric>

TableStore::TableStore(QObject *parent)
    : QObject(parent)
    , m_adoptsLayout(true)
{}

TableStore::TableStore(const FieldList &fields, QObject *parent)
    : QObject(parent)
{
    setFields(fields);
}

TableStore::~TableStore() = default;

void TableStore::setFields(const FieldList &fields)
{
    Q_ASSERT(!isOpen());
    m_cols.reset(fields);
    m_adoptsLayout = fields.isEmpty();
    // An index or filter naming fields of an earlier layout is taken up again at open.
}

int TableStore::fieldIndex(QStringView name) const
{
    return ::fieldIndex(fields(), name);
}

void TableStore::setFileName(const QString &fileName)
{
    if (fileName != m_fileName) {
        m_fileName = fileName;
        m_knownWriteId = 0;
        m_fileProtected = false;
    }
}

bool TableStore::fail(ErrorKind kind, const QString &message)
{
    m_errorKind = kind;
    m_error = message;
    return false;
}

void TableStore::clearError()
{
    m_errorKind = ErrorKind::None;
    m_error.clear();
}

void TableStore::setState(State state)
{
    if (m_state != state) {
        m_state = state;
        emit stateChanged(state);
    }
}

void TableStore::setCurrent(int row, CurrentNotice notice)
{
    const int count = int(m_view.size());
    row = count == 0 ? -1 : std::clamp(row, 0, count - 1);
    m_bof = m_eof = count == 0;
    if (row != m_current || notice == CurrentNotice::Always) {
        m_current = row;
        emit currentChanged(row);
    }
}

// Leaving a row posts what was typed into it, as the user would expect of a grid.
bool TableStore::ensureBrowse()
{
    if (m_state == State::Edit || m_state == State::Insert)
        return post();
    return true;
}

void TableStore::resetRows(const FieldList &fields)
{
    m_cols.reset(fields);
    m_dirtyRows.clear();
    m_deletedKeys.clear();
    m_deletedCount = 0;
    m_nextKey = 1;
    m_nextId = 1;
    m_order.clear();
    m_view.clear();
    m_editBackup.clear();
    m_termMasks.clear();
}

void TableStore::startEmpty()
{
    resetRows(fields());
    setState(State::Browse);
    // Filter and index texts stay with the store across close and open.
    setIndexFieldNames(m_indexText);
    if (!setFilter(m_filterText)) {
        m_filter.reset();
        m_filterText.clear();
    }
    m_current = -1;
    setCurrent(0);
    emit reset();
}

bool TableStore::createDataSet()
{
    clearError();
    if (isOpen())
        close();
    if (fields().isEmpty())
        return fail(ErrorKind::State, tr("The table has no fields."));
    m_knownWriteId = 0;
    m_fileProtected = false;
    startEmpty();
    m_changed = false;
    return true;
}

bool TableStore::open()
{
    clearError();
    if (isOpen())
        return true;
    m_fileProtected = false;
    m_changed = false;
    if (m_fileName.isEmpty() || !QFileInfo::exists(m_fileName)) {
        if (m_adoptsLayout)
            return fail(ErrorKind::Io, tr("%1 does not exist.").arg(m_fileName));
        m_knownWriteId = 0;
        startEmpty();
        return true;
    }
    if (!readFile(m_fileName, !m_adoptsLayout)) {
        // Carry on empty in memory, but never let a write replace what could not be read.
        const QString error = m_error;
        const ErrorKind kind = m_errorKind;
        m_fileProtected = true;
        startEmpty();
        m_changed = false;
        return fail(kind, error);
    }
    return true;
}

bool TableStore::close()
{
    if (!isOpen())
        return true;
    // A row still being edited or inserted was never posted: closing drops it, as a cancel does.
    cancel();
    bool ok = true;
    if (!m_fileName.isEmpty() && !m_fileProtected && (m_changed || !QFileInfo::exists(m_fileName)))
        ok = write();
    resetRows(fields());
    m_current = -1;
    m_eof = m_bof = true;
    m_changed = false;
    setState(State::Inactive);
    emit reset();
    return ok;
}

int TableStore::recordCount() const
{
    return int(m_view.size()) - (m_state == State::Insert ? 1 : 0);
}

QVariant TableStore::value(int field) const
{
    if (m_current < 0 || field < 0 || field >= fieldCount())
        return {};
    return m_cols.value(m_view[m_current], field);
}

QVariant TableStore::value(const QString &field) const
{
    return value(fieldIndex(field));
}

QVariant TableStore::valueAt(int row, int field) const
{
    if (row < 0 || row >= int(m_view.size()) || field < 0 || field >= fieldCount())
        return {};
    return m_cols.value(m_view[row], field);
}

bool TableStore::setValue(const QString &field, const QVariant &value)
{
    const int index = fieldIndex(field);
    if (index < 0)
        return fail(ErrorKind::Value, tr("There is no field %1.").arg(field));
    return setValue(index, value);
}

bool TableStore::setValue(int field, const QVariant &value)
{
    if (m_state != State::Edit && m_state != State::Insert)
        return fail(ErrorKind::State, tr("The table is not being edited."));
    if (field < 0 || field >= fieldCount())
        return fail(ErrorKind::Value, tr("There is no field %1.").arg(field));
    const FieldDef &def = fields().at(field);
    if (def.type == FieldType::AutoInc)
        return fail(ErrorKind::Value, tr("%1 is set by the table and cannot be changed.").arg(def.name));
    if (!m_cols.setValue(m_view[m_current], field, value)) {
        return fail(ErrorKind::Value,
                    tr("\"%1\" is not a valid value for %2.").arg(value.toString(), def.name));
    }
    emit rowChanged(m_current);
    return true;
}

bool TableStore::append()
{
    clearError();
    if (!isOpen())
        return fail(ErrorKind::State, tr("The table is not open."));
    if (!ensureBrowse())
        return false;
    const quint32 row = m_cols.appendRow(m_nextKey++);
    const int idField = fields().isEmpty() || fields().first().type != FieldType::AutoInc ? -1 : 0;
    if (idField == 0)
        m_cols.setInteger(row, 0, m_nextId++);
    m_view.push_back(row);
    emit rowsInserted(int(m_view.size()) - 1, int(m_view.size()) - 1);
    setState(State::Insert);
    setCurrent(int(m_view.size()) - 1);
    if (m_onNewRecord)
        m_onNewRecord(*this);
    return true;
}

bool TableStore::edit()
{
    clearError();
    if (m_state == State::Edit || m_state == State::Insert)
        return true;
    if (!isOpen())
        return fail(ErrorKind::State, tr("The table is not open."));
    if (m_current < 0)
        return fail(ErrorKind::State, tr("There is no record to edit."));
    const quint32 row = m_view[m_current];
    m_editBackup.resize(fieldCount());
    for (int f = 0; f < fieldCount(); ++f)
        m_editBackup[f] = m_cols.value(row, f);
    setState(State::Edit);
    return true;
}

bool TableStore::post()
{
    if (m_state != State::Edit && m_state != State::Insert)
        return true;
    clearError();
    if (m_beforePost)
        m_beforePost(*this);
    if (m_state != State::Edit && m_state != State::Insert)
        return true; // the hook cancelled
    const bool inserting = m_state == State::Insert;
    const int oldPos = m_current;
    const quint32 row = m_view[oldPos];

    if (!(m_cols.flags(row) & Columns::Dirty)) {
        m_cols.setFlags(row, m_cols.flags(row) | Columns::Dirty);
        m_dirtyRows.push_back(row);
    }
    m_changed = true;
    m_editBackup.clear();

    m_view.erase(m_view.begin() + oldPos);
    if (inserting)
        insertIntoOrder(row);
    else {
        removeFromOrder(row);
        insertIntoOrder(row);
    }
    prepareFilterMasks(); // the row may have brought texts the filter has not seen
    const int newPos = passesFilter(row) ? viewPosition(row) : -1;
    setState(State::Browse);
    if (newPos == oldPos) {
        m_view.insert(m_view.begin() + newPos, row);
        emit rowChanged(newPos);
    } else {
        emit rowsRemoved(oldPos, oldPos);
        if (newPos >= 0) {
            m_view.insert(m_view.begin() + newPos, row);
            emit rowsInserted(newPos, newPos);
        }
    }
    setCurrent(newPos >= 0 ? newPos : oldPos, CurrentNotice::Always);
    if (m_afterPost)
        m_afterPost(*this);
    return true;
}

void TableStore::cancel()
{
    if (m_state == State::Edit) {
        const quint32 row = m_view[m_current];
        for (int f = 0; f < fieldCount(); ++f) {
            if (fields().at(f).type == FieldType::AutoInc)
                m_cols.setInteger(row, f, m_editBackup[f].toLongLong());
            else
                m_cols.setValue(row, f, m_editBackup[f]);
        }
        m_editBackup.clear();
        setState(State::Browse);
        emit rowChanged(m_current);
    } else if (m_state == State::Insert) {
        // The inserted row is always the last one made and the last one shown.
        const int pos = int(m_view.size()) - 1;
        m_view.pop_back();
        m_cols.popRow();
        --m_nextKey;
        setState(State::Browse);
        emit rowsRemoved(pos, pos);
        setCurrent(pos, CurrentNotice::Always);
    }
}

void TableStore::markRemoved(quint32 row)
{
    const quint8 flags = m_cols.flags(row);
    if (flags & Columns::Persisted)
        m_deletedKeys.push_back(m_cols.key(row));
    m_cols.setFlags(row, (flags | Columns::Deleted) & ~Columns::Dirty);
    ++m_deletedCount;
    m_changed = true;
}

bool TableStore::remove()
{
    clearError();
    if (m_state == State::Insert) {
        cancel();
        return true;
    }
    if (m_state == State::Edit)
        cancel();
    if (m_current < 0)
        return fail(ErrorKind::State, tr("There is no record to delete."));
    const int pos = m_current;
    const quint32 row = m_view[pos];
    markRemoved(row);
    removeFromOrder(row);
    m_view.erase(m_view.begin() + pos);
    emit rowsRemoved(pos, pos);
    setCurrent(pos, CurrentNotice::Always);
    return true;
}

bool TableStore::removeShown()
{
    clearError();
    if (m_state == State::Edit || m_state == State::Insert)
        cancel();
    if (m_view.empty())
        return true;
    for (quint32 row : m_view)
        markRemoved(row);
    m_order.erase(std::remove_if(m_order.begin(),
                                 m_order.end(),
                                 [this](quint32 r) { return m_cols.flags(r) & Columns::Deleted; }),
                  m_order.end());
    const int last = int(m_view.size()) - 1;
    m_view.clear();
    emit rowsRemoved(0, last);
    setCurrent(0, CurrentNotice::Always);
    return true;
}

void TableStore::first()
{
    if (!ensureBrowse())
        return;
    setCurrent(0, CurrentNotice::Always);
}

void TableStore::last()
{
    if (!ensureBrowse())
        return;
    setCurrent(int(m_view.size()) - 1, CurrentNotice::Always);
}

void TableStore::next()
{
    if (!ensureBrowse())
        return;
    m_bof = false;
    if (m_current + 1 < int(m_view.size())) {
        setCurrent(m_current + 1);
        m_bof = false;
    } else {
        m_eof = true;
    }
}

void TableStore::prior()
{
    if (!ensureBrowse())
        return;
    m_eof = false;
    if (m_current > 0) {
        setCurrent(m_current - 1);
        m_eof = false;
    } else {
        m_bof = true;
    }
}

bool TableStore::setRecNo(int row)
{
    if (row < 0 || row >= int(m_view.size()) || !ensureBrowse())
        return false;
    setCurrent(row);
    m_eof = m_bof = false;
    return true;
}

bool TableStore::locate(const QString &field, const QVariant &value)
{
    clearError();
    const int f = fieldIndex(field);
    if (f < 0)
        return fail(ErrorKind::Value, tr("There is no field %1.").arg(field));
    if (!ensureBrowse())
        return false;
    for (int i = 0; i < int(m_view.size()); ++i) {
        const QVariant v = m_cols.value(m_view[i], f);
        if (v.isNull() != value.isNull())
            continue;
        const bool same
                = fields().at(f).type == FieldType::Text ? v.toString() == value.toString() : v == value;
        if (value.isNull() || same) {
            setCurrent(i);
            m_eof = m_bof = false;
            return true;
        }
    }
    return false;
}
