#include "binding/FieldBinder.h"

#include "app/MessageBox.h"
#include "binding/FieldText.h"
#include "data/TableStore.h"

#include <QComboBox>
#include <QLineEdit>
#include <QScopedValueRollback>

FieldBinder::FieldBinder(QLineEdit *edit, TableStore *store, const QString &fieldName, QObject *parent)
    : QObject(parent ? parent : edit)
    , m_edit(edit)
    , m_store(store)
    , m_fieldName(fieldName)
{
    connect(edit, &QLineEdit::editingFinished, this, [this] { commit(); });
    connectStore();
    refresh();
}

FieldBinder::FieldBinder(QComboBox *combo, TableStore *store, const QString &fieldName, QObject *parent)
    : QObject(parent ? parent : combo)
    , m_combo(combo)
    , m_store(store)
    , m_fieldName(fieldName)
{
    connect(combo, &QComboBox::currentIndexChanged, this, [this] { commit(); });
    if (combo->lineEdit())
        connect(combo->lineEdit(), &QLineEdit::editingFinished, this, [this] { commit(); });
    connectStore();
    refresh();
}

FieldBinder::~FieldBinder()
{
    disconnectStore();
}

TableStore *FieldBinder::store() const
{
    return m_store;
}

void FieldBinder::connectStore()
{
    if (!m_store)
        return;
    TableStore *s = m_store;
    m_connections = {
            connect(s, &TableStore::currentChanged, this, &FieldBinder::refresh),
            connect(s, &TableStore::reset, this, &FieldBinder::refresh),
            connect(s,
                    &TableStore::rowChanged,
                    this,
                    [this](int row) {
                        // Another box writing the same row must not wipe what the user is typing here.
                        const bool typing = m_edit && m_edit->isModified();
                        if (m_store && row == m_store->recNo() && !typing && !m_writing)
                            refresh();
                    }),
    };
}

void FieldBinder::disconnectStore()
{
    for (const QMetaObject::Connection &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
}

void FieldBinder::detach()
{
    if (!m_attached)
        return;
    m_attached = false;
    disconnectStore();
    showText(QString());
}

void FieldBinder::attach()
{
    if (m_attached)
        return;
    m_attached = true;
    connectStore();
    refresh();
}

QWidget *FieldBinder::box() const
{
    return m_edit ? static_cast<QWidget *>(m_edit.data()) : m_combo.data();
}

int FieldBinder::fieldPosition() const
{
    return m_store ? m_store->fieldIndex(m_fieldName) : -1;
}

QString FieldBinder::fieldText() const
{
    const int field = fieldPosition();
    if (!m_attached || field < 0 || !m_store->isOpen() || m_store->recNo() < 0)
        return {};
    return FieldText::edit(m_store->value(field), m_store->fields().at(field).type);
}

QString FieldBinder::boxText() const
{
    if (m_edit)
        return m_edit->text();
    return m_combo ? m_combo->currentText() : QString();
}

void FieldBinder::showText(const QString &text)
{
    const QScopedValueRollback guard(m_showing, true);
    if (m_edit) {
        if (m_edit->text() != text)
            m_edit->setText(text);
        m_edit->setModified(false);
    } else if (m_combo) {
        m_combo->setCurrentIndex(m_combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
        if (m_combo->isEditable())
            m_combo->setEditText(text);
    }
}

void FieldBinder::refresh()
{
    if (m_attached)
        showText(fieldText());
}

bool FieldBinder::commit()
{
    if (m_showing || m_writing || !m_attached || !box())
        return true;
    TableStore *s = m_store;
    const int field = fieldPosition();
    const QString text = boxText();
    if (text == fieldText())
        return true;
    if (field < 0 || !s->isOpen() || s->recNo() < 0) {
        // No row to write into.
        refresh();
        return false;
    }
    QVariant value;
    QString error;
    if (!FieldText::read(text, s->fields().at(field).type, m_fieldName, &value, &error)) {
        refresh();
        MessageBox::warning(box(), tr("Tillwick"), error);
        return false;
    }
    const bool editing = s->state() == TableStore::State::Edit || s->state() == TableStore::State::Insert;
    bool written;
    QString reason;
    {
        const QScopedValueRollback guard(m_writing, true);
        written = (editing || s->edit()) && s->setValue(field, value);
        if (!written) {
            reason = s->lastError();
            if (!editing && s->state() == TableStore::State::Edit)
                s->cancel();
        }
    }
    refresh();
    if (!written) {
        MessageBox::warning(
                box(), tr("Tillwick"), tr("%1 could not be changed. %2").arg(m_fieldName, reason));
        return false;
    }
    return true;
}
