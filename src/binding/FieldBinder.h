#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;
class QLineEdit;
class QWidget;
class TableStore;

// Ties an edit box, or a drop-down list, to one field of a table store: the box shows the field
// of the current row, and what the user types is written when editing of the box ends (a choice
// in the list at once). Numbers are shown in general form and read with their commas removed.
class FieldBinder : public QObject
{
    Q_OBJECT

public:
    // The binder is a child of parent, or of the box when parent is null. The store is not owned.
    FieldBinder(QLineEdit *edit, TableStore *store, const QString &fieldName, QObject *parent = nullptr);
    FieldBinder(QComboBox *combo, TableStore *store, const QString &fieldName, QObject *parent = nullptr);
    ~FieldBinder() override;

    TableStore *store() const;
    QString fieldName() const { return m_fieldName; }

    // A detached binder neither shows nor writes the field until attached again.
    void detach();
    void attach();
    bool isAttached() const { return m_attached; }

    // Shows the field of the current row.
    void refresh();
    // Writes what the box holds now, if it differs from the field; for code that posts while the
    // box may still have the focus. False when the text could not be written: refused (the user
    // was told), or there is no current row.
    bool commit();

private:
    void connectStore();
    void disconnectStore();
    QWidget *box() const;
    QString boxText() const;
    void showText(const QString &text);
    QString fieldText() const;
    int fieldPosition() const;

    QPointer<QLineEdit> m_edit;
    QPointer<QComboBox> m_combo;
    QPointer<TableStore> m_store;
    QString m_fieldName;
    bool m_attached = true;
    bool m_showing = false;
    bool m_writing = false;
    QList<QMetaObject::Connection> m_connections;
};
