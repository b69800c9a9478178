#pragma once

#include "data/Field.h"
#include "data/Layouts.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QPointer>
#include <QString>

#include <vector>

class TableStore;

// The rows a table store shows (its filtered, ordered view, with a row being inserted last), one
// column per field in field order. Display texts go through the fields' display formats, edit texts
// through their edit formats; an edit makes its row current, puts the store into edit state and
// sets the field, and the store stays in edit state until its cursor moves on.
//
// The store signals its changes after making them, so while the model passes a change on to its
// views it maps its own rows onto the store's changed ones.
class TableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit TableModel(QObject *parent = nullptr);
    // formatStoreName names the store in the table of number formats ("ClientDataSet1", ...).
    TableModel(TableStore *store, const QString &formatStoreName, QObject *parent = nullptr);
    ~TableModel() override;

    // A null store leaves the model without rows or columns. The store is not owned.
    void setStore(TableStore *store, const QString &formatStoreName = QString());
    TableStore *store() const;
    QString formatStoreName() const { return m_formatStoreName; }

    // A detached model shows no rows and ignores its store until attached again.
    void detach();
    void attach();
    bool isAttached() const { return m_attached; }

    // Overrides the format that the format table gives the field; an empty format means none.
    void setFieldFormat(const QString &fieldName, const FieldFormat &format);
    FieldFormat fieldFormatAt(int column) const;

    // Header of a column; the field name unless set. Kept while the store's rows change.
    void setHeaderText(int column, const QString &text);
    QString headerText(int column) const;

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // Text colour of every cell; an invalid colour leaves it to the view.
    void setTextColor(const QColor &color);
    QColor textColor() const { return m_textColor; }

    // True while the model passes a change of its store on to its views.
    bool isFollowingStore() const { return m_following > 0; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // An edited text was not taken; message says why, for the user.
    void editRefused(const QString &message);
    // The store's cursor is now on row (-1: none); sent after the model has caught up with the store.
    void currentRowChanged(int row);

private:
    void connectStore();
    void disconnectStore();
    void resync();
    void refreshFormats();
    int storeRow(int row) const;

    void onRowChanged(int row);
    void onRowsInserted(int first, int last);
    void onRowsRemoved(int first, int last);
    void onCurrentChanged(int row);
    void onStoreReset();

    QPointer<TableStore> m_store;
    QString m_formatStoreName;
    bool m_attached = true;
    bool m_readOnly = false;
    QColor m_textColor;

    // What the views know: rows and fields as of the last change passed on.
    int m_rowCount = 0;
    FieldList m_fields;
    std::vector<FieldFormat> m_formats;
    QHash<QString, FieldFormat> m_formatOverrides; // by lower-case field name
    QHash<int, QString> m_headers;

    // While rows inserted or removed are passed on: model rows from m_changeFirst on map to store
    // rows shifted by m_changeShift; with m_changeGone, rows m_changeFirst..m_changeLast no longer
    // exist in the store.
    int m_following = 0;
    int m_changeFirst = -1;
    int m_changeLast = -1;
    int m_changeShift = 0;
    bool m_changeGone = false;

    QList<QMetaObject::Connection> m_connections;
};
