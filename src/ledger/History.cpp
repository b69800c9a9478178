// History records: dated copies of a holding, the History tab, deleting and archiving them.
#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "data/DateText.h"
#include "data/Layouts.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"
#include "ledger/HistArch.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

void TTillwick1::AddHistoryRecord()
{
    TableStore &h = *ClientDataSet3;
    // A table closed by deleting all history starts again empty, so no record is lost.
    if (!h.isOpen())
        OpenDataFile3();
    if (!h.append()) {
        MessageBox::warning(this, tr("Tillwick"), h.lastError());
        return;
    }
    const bool hasHolding = ClientDataSet1->recNo() >= 0;
    for (const char *field : {"FrstAccountNo",
                              "AccountNo",
                              "Symbol",
                              "Name",
                              "Quantity",
                              "Price",
                              "Extension",
                              "AveCost",
                              "Difference",
                              "PercentDiff"}) {
        const QLatin1String name(field);
        h.setValue(name, hasHolding ? ClientDataSet1->value(name) : QVariant());
    }
    h.setValue(QStringLiteral("LastUpdated"), QDateTime::currentDateTime());
    h.setValue(QStringLiteral("TranType"), WKTRANSACTION);
    h.post();
    if (!ALLQUOTES_FLG && !h.write())
        MessageBox::warning(this, tr("Tillwick"), h.lastError());
    SetupAllGrids();
}

void TTillwick1::ClientDataSet3BeforePost()
{
    TableStore &h = *ClientDataSet3;
    for (const char *field : {"Quantity", "Price", "Extension"}) {
        if (h.value(QLatin1String(field)).isNull())
            h.setValue(QLatin1String(field), 0.0);
    }
    h.setValue(QStringLiteral("Extension"),
               h.value(QStringLiteral("Quantity")).toDouble() * h.value(QStringLiteral("Price")).toDouble());
    const QDateTime now = QDateTime::currentDateTime();
    h.setValue(QStringLiteral("LastUpdated"), now);
    h.setValue(QStringLiteral("DateCreated"), FlopDate(now));
}

void TTillwick1::StringGrid5Click()
{
    if (FIRSTTIME_FLG || !ClientDataSet3->isOpen())
        return;
    const QString account = ClientDataSet6->value(QStringLiteral("AccountNo")).toString();
    const QString symbol = ClientDataSet6->value(QStringLiteral("Symbol")).toString();
    ClientDataSet3->setFilter(holdingFilter(account, symbol));
    ClientDataSet3->first();
    GRPHACCNT = account;
    GRPHSYMBL = symbol;
}

void TTillwick1::StringGrid3Click()
{
    if (FIRSTTIME_FLG)
        return;
    filterTransactionsToHolding();
}

bool TTillwick1::ArchiveHistory()
{
    // The archive window keeps its own copy of the archive: let it write and let go first, so
    // neither copy writes over the other.
    const bool archiveShown = HistArch1 && HistArch1->isVisible();
    if (HistArch1)
        HistArch1->FormClose();
    TableStore &archive = *ClientDataSet8;
    if (!OpenDataFile8()) {
        MessageBox::warning(this, tr("Tillwick"), archive.lastError());
        return false;
    }
    TableStore &h = *ClientDataSet3;
    h.setFilter(QString());
    const int fields = h.fieldCount();
    for (int row = 0; row < h.rowsShown(); ++row) {
        archive.append();
        for (int field = 0; field < fields; ++field) {
            const QString name = h.fields().at(field).name;
            const QVariant value = h.valueAt(row, field);
            if (name != QLatin1String("ID") && !value.isNull())
                archive.setValue(name, value);
        }
        archive.post();
    }
    const bool written = archive.write();
    if (!written)
        MessageBox::warning(this, tr("Tillwick"), archive.lastError());
    archive.close();
    if (archiveShown)
        HistArch1->FormShow();
    return written;
}

void TTillwick1::deleteHistory()
{
    TableStore &h = *ClientDataSet3;
    QString holding;
    if (h.isOpen() && h.recNo() >= 0) {
        const QString symbol = h.value(QStringLiteral("Symbol")).toString();
        const QString name = h.value(QStringLiteral("Name")).toString();
        if (!symbol.isEmpty() && !name.isEmpty())
            holding = symbol + QStringLiteral(" - ") + name;
    }
    const auto answer = MessageBox::warning(this,
                                            tr("Tillwick"),
                                            QStringLiteral("Do You want to Delete All History from the "
                                                           "Stock History List ?"),
                                            QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::No) {
        // A history file that could not be read is the user's data: it is neither archived nor deleted.
        if (h.isFileProtected()) {
            MessageBox::warning(this,
                                tr("Tillwick"),
                                tr("%1 could not be read, so the history is left as it is: nothing was "
                                   "archived or deleted.")
                                        .arg(QDir::toNativeSeparators(h.fileName())));
            return;
        }
        // Nothing is deleted unless every record is safe in the archive.
        if (!ArchiveHistory())
            return;
        const QString path = paths().tablePath(TableFileName::History);
        if (!QFile::exists(path)) {
            // The table stays open, empty, so later history records are kept.
            h.removeShown();
            h.write();
            return;
        }
        h.close();
        if (!QFile::remove(path)) {
            // Everything is in the archive: leave no second copy behind.
            OpenDataFile3();
            h.removeShown();
            h.close();
        }
        MessageBox::warning(this,
                            tr("Tillwick"),
                            QStringLiteral("Program closing due to lack of demand."),
                            QMessageBox::Ok);
        close();
        return;
    }
    if (holding.isEmpty())
        return;
    if (!confirm(QStringLiteral("Do You want to Delete: ") + holding
                 + QStringLiteral(" from the Stock History List ?")))
        return;
    if (h.recordCount() > 0)
        h.remove();
    if (!h.write())
        MessageBox::warning(this, tr("Tillwick"), h.lastError());
}
