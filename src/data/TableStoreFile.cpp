// Reading and writing a table store's rows through its table file.
#include "data/TableFile.h"
#include "data/TableStore.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
TableStore::ErrorKind kindOf(TableFile::Error error)
{
    switch (error) {
    case TableFile::Error::None:
        return TableStore::ErrorKind::None;
    case TableFile::Error::NotATableFile:
        return TableStore::ErrorKind::NotATableFile;
    case TableFile::Error::Damaged:
        return TableStore::ErrorKind::Damaged;
    case TableFile::Error::OtherLayout:
        return TableStore::ErrorKind::OtherLayout;
    case TableFile::Error::Io:
        break;
    }
    return TableStore::ErrorKind::Io;
}

bool samePath(const QString &a, const QString &b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}
} // namespace

void TableStore::adoptRows(Columns &&rows)
{
    resetRows(rows.fields());
    m_cols = std::move(rows);
    qint64 maxId = 0;
    const bool hasId = fieldCount() > 0 && fields().first().type == FieldType::AutoInc;
    for (quint32 r = 0; r < m_cols.rowCount(); ++r) {
        m_nextKey = std::max(m_nextKey, m_cols.key(r) + 1);
        if (hasId && !m_cols.isNull(r, 0))
            maxId = std::max(maxId, m_cols.integer(r, 0));
    }
    m_nextId = maxId + 1;
    if (m_state == State::Inactive)
        setState(State::Browse);
    if (!setIndexFieldNames(m_indexText)) {
        m_indexText.clear();
        m_indexFields.clear();
    }
    rebuildOrder();
    if (!setFilter(m_filterText)) {
        m_filterText.clear();
        m_filter.reset();
    }
    rebuildView(quint32(-1));
}

bool TableStore::readFile(const QString &path, bool keepLayout)
{
    Columns rows;
    const FieldList expected = fields();
    const TableFile::Result result = TableFile::read(path, keepLayout ? &expected : nullptr, rows);
    if (!result)
        return fail(kindOf(result.error), result.message);
    adoptRows(std::move(rows));
    m_knownWriteId = samePath(path, m_fileName) ? result.writeId : 0;
    m_changed = false;
    return true;
}

bool TableStore::write()
{
    clearError();
    if (!isOpen() || m_fileName.isEmpty())
        return true;
    if (m_fileProtected) {
        return fail(ErrorKind::Damaged,
                    QCoreApplication::translate("TableStore",
                                                "%1 could not be read when it was opened, so it is "
                                                "not overwritten.")
                            .arg(m_fileName));
    }
    if (!ensureBrowse())
        return false;
    const TableFile::Result result
            = TableFile::write(m_fileName, m_cols, {m_dirtyRows, m_deletedKeys, m_knownWriteId});
    if (!result)
        return fail(kindOf(result.error), result.message);
    if (result.whole) {
        for (quint32 r = 0; r < m_cols.rowCount(); ++r) {
            if (!(m_cols.flags(r) & Columns::Deleted))
                m_cols.setFlags(r, Columns::Persisted);
        }
    } else {
        for (quint32 r : m_dirtyRows)
            m_cols.setFlags(r, (m_cols.flags(r) & ~Columns::Dirty) | Columns::Persisted);
    }
    m_dirtyRows.clear();
    m_deletedKeys.clear();
    m_knownWriteId = result.writeId;
    m_changed = false;
    compactIfWorthIt();
    return true;
}

bool TableStore::writeTo(const QString &path)
{
    clearError();
    if (!isOpen())
        return true;
    if (!m_fileName.isEmpty() && samePath(path, m_fileName))
        return write();
    if (!ensureBrowse())
        return false;
    const TableFile::Result result = TableFile::writeWhole(path, m_cols);
    if (!result)
        return fail(kindOf(result.error), result.message);
    return true;
}

bool TableStore::loadFrom(const QString &path)
{
    clearError();
    if (m_state == State::Edit || m_state == State::Insert)
        cancel();
    const bool own = !m_fileName.isEmpty() && samePath(path, m_fileName);
    if (!readFile(path, !m_adoptsLayout))
        return false;
    if (own)
        m_fileProtected = false;
    else
        m_changed = true; // rows that did not come from the own file
    return true;
}
