#pragma once

#include "data/Columns.h"
#include "data/Field.h"
#include "data/Filter.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

// An in-memory table with a cursor: typed fields in a fixed order, rows appended, edited,
// posted and removed through a browse/edit/insert state, navigation over the rows that pass
// the filter in index order, and one table file it is read from and written to.
//
// Rows shown ("the view") are those that pass the filter, ordered by the index fields and then
// by creation. While a row is being inserted it is shown last until it is posted.
class TableStore : public QObject
{
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };
    enum class ErrorKind { None, NotATableFile, Damaged, OtherLayout, Io, Filter, Value, State };
    using Hook = std::function<void(TableStore &)>;

    explicit TableStore(QObject *parent = nullptr);
    explicit TableStore(const FieldList &fields, QObject *parent = nullptr);
    ~TableStore() override;

    // Definition. A store without fields takes the layout of the file it opens or loads.
    void setFields(const FieldList &fields);
    const FieldList &fields() const { return m_cols.fields(); }
    int fieldCount() const { return m_cols.fieldCount(); }
    int fieldIndex(QStringView name) const;
    QString fileName() const { return m_fileName; }
    void setFileName(const QString &fileName);

    // Life cycle. open() reads the file, or starts empty when there is none; a file that cannot
    // be read leaves the store open and empty, with the file protected from being written.
    bool createDataSet();
    bool open();
    bool close();
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool write();
    bool writeTo(const QString &path);
    bool loadFrom(const QString &path);
    bool hasUnwrittenChanges() const { return m_changed; }
    bool isFileProtected() const { return m_fileProtected; }

    // Rows.
    bool append();
    bool edit();
    bool post();
    void cancel();
    bool remove();
    // Removes every row shown; much faster than remove() in a loop.
    bool removeShown();

    // Navigation over the rows shown.
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    int recordCount() const;
    int recNo() const { return m_current; }
    bool setRecNo(int row);
    bool locate(const QString &field, const QVariant &value);

    // Values of the current row; a null QVariant is a null field.
    QVariant value(const QString &field) const;
    QVariant value(int field) const;
    bool setValue(const QString &field, const QVariant &value);
    bool setValue(int field, const QVariant &value);
    // Value of any row shown, for views.
    QVariant valueAt(int row, int field) const;
    int rowsShown() const { return int(m_view.size()); }

    // Filter and index order.
    bool setFilter(const QString &text);
    QString filter() const { return m_filterText; }
    void setFiltered(bool filtered);
    bool isFiltered() const { return m_filtered; }
    void setCaseInsensitive(bool insensitive);
    bool setIndexFieldNames(const QString &names);
    QString indexFieldNames() const { return m_indexText; }

    void setOnNewRecord(Hook hook) { m_onNewRecord = std::move(hook); }
    void setBeforePost(Hook hook) { m_beforePost = std::move(hook); }
    void setAfterPost(Hook hook) { m_afterPost = std::move(hook); }

    QString lastError() const { return m_error; }
    ErrorKind lastErrorKind() const { return m_errorKind; }

Q_SIGNALS:
    void rowChanged(int row);
    void rowsInserted(int first, int last);
    void rowsRemoved(int first, int last);
    void reset();
    void currentChanged(int row);
    void stateChanged(TableStore::State state);

private:
    bool fail(ErrorKind kind, const QString &message);
    void clearError();
    void setState(State state);
    // The row under the cursor may change even when its position does not (a post, a remove).
    enum class CurrentNotice { WhenMoved, Always };
    void setCurrent(int row, CurrentNotice notice = CurrentNotice::WhenMoved);
    bool ensureBrowse();
    void startEmpty();
    void resetRows(const FieldList &fields);
    bool readFile(const QString &path, bool keepLayout);
    void adoptRows(Columns &&rows);

    bool lessInIndex(quint32 a, quint32 b) const;
    bool passesFilter(quint32 row) const;
    void prepareFilterMasks() const;
    void rebuildOrder();
    void rebuildView(quint32 keepRow);
    int viewPosition(quint32 row) const;
    int insertIntoView(quint32 row);
    void insertIntoOrder(quint32 row);
    void removeFromOrder(quint32 row);
    void markRemoved(quint32 row);
    void compactIfWorthIt();

    Columns m_cols;
    QString m_fileName;
    State m_state = State::Inactive;
    bool m_changed = false;
    bool m_fileProtected = false;
    bool m_adoptsLayout = false; // made without fields: takes the layout of each file it reads
    quint64 m_knownWriteId = 0;  // write id of the file as this store last read or wrote it
    quint32 m_nextKey = 1;
    qint64 m_nextId = 1;
    quint32 m_deletedCount = 0;
    std::vector<quint32> m_dirtyRows;
    std::vector<quint32> m_deletedKeys;

    std::vector<quint32> m_order; // every live row, in index order
    std::vector<quint32> m_view;  // the rows shown
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;
    std::vector<QVariant> m_editBackup;

    QString m_filterText;
    std::optional<Filter> m_filter;
    bool m_filtered = true;
    Qt::CaseSensitivity m_filterCase = Qt::CaseSensitive;
    // Per text term, whether each distinct text of the column passes it.
    mutable std::vector<std::vector<char>> m_termMasks;
    QString m_indexText;
    std::vector<int> m_indexFields;

    Hook m_onNewRecord;
    Hook m_beforePost;
    Hook m_afterPost;

    QString m_error;
    ErrorKind m_errorKind = ErrorKind::None;
};
