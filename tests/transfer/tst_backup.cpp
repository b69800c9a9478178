// Backup and restore of the four account files through a chosen folder.
#include "app/FileDialog.h"
#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "binding/StringGrid.h"
#include "data/TableStore.h"
#include "support/AppSession.h"
#include "support/Records.h"
#include "support/WindowDriver.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kBank = QStringLiteral("100");

Seed oneAccount()
{
    return {{accountRecord(kBank, QStringLiteral("Bank"), QStringLiteral("A"))},
            {holdingRecord(kBank, QStringLiteral("IBM"), 2, 10, 5)},
            {transactionRecord(kBank, QStringLiteral("IBM"), QStringLiteral("Purchase"), 2, 5)},
            {historyRecord(kBank, QStringLiteral("IBM"), 2, 10)}};
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

void run(bool restore, const QString &chosen)
{
    Tillwick1->TabControl1->setCurrentWidget(Tillwick1->TabItem5);
    (restore ? Tillwick1->RDBACKREST2 : Tillwick1->RDBACKREST1)->click();
    if (restore)
        QCOMPARE(Tillwick1->BackRestBtn->text(), QStringLiteral("Restore"));
    FileDialog::setNextFileName(chosen);
    QTest::mouseClick(Tillwick1->BackRestBtn, Qt::LeftButton);
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::setNextAnswer(QMessageBox::NoButton); }
    void backupIntoAnEmptyFolder();
    void backupAsksBeforeReplacing();
    void restoreOnlyWhatTheFolderHolds();
    void nameWithoutSeparatorIsTheFolder();
    void unreadableBackupIsNotRestored();
};

void TestBackup::backupIntoAnEmptyFolder()
{
    AppSession app;
    seedAndStart(app, oneAccount());
    clickAccountLine(0);
    editCell(Tillwick1->StringGrid1, 0, 6, QStringLiteral("12")); // not yet written to the data folder
    QTemporaryDir folder;
    MessageBox::setNextAnswer(QMessageBox::Ok); // would tell a failure
    run(false, folder.filePath(QStringLiteral("Backup.d")));
    QCOMPARE(Tillwick1->Label10->text(), QStringLiteral(" Files Copied."));
    QCOMPARE(filesIn(folder.path()),
             QStringList({"Accounts.cds", "History.cds", "Purchases.cds", "Summary.cds"}));
    const QList<QVariantMap> holdings
            = readTable(folder.filePath(QStringLiteral("Summary.cds")), QStringLiteral("Summary.cds"));
    QCOMPARE(holdings.size(), 1);
    QCOMPARE(holdings.first().value(QStringLiteral("Price")).toDouble(), 12.0);
}

void TestBackup::backupAsksBeforeReplacing()
{
    AppSession app;
    seedAndStart(app, oneAccount());
    QTemporaryDir folder;
    const QString old = folder.filePath(QStringLiteral("History.cds"));
    {
        QFile file(old);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("an older backup");
    }
    MessageBox::setNextAnswer(QMessageBox::No);
    run(false, folder.filePath(QStringLiteral("Backup.d")));
    QCOMPARE(MessageBox::lastText(),
             QStringLiteral("File: ") + folder.path()
                     + QStringLiteral("/History File Already Exists. Do you want to Replace the File ?"));
    QCOMPARE(bytesOf(old), QByteArray("an older backup"));
    QCOMPARE(filesIn(folder.path()).size(), 4);
}

void TestBackup::restoreOnlyWhatTheFolderHolds()
{
    AppSession app;
    seedAndStart(app, oneAccount());
    QTemporaryDir folder;
    seedTable(folder.filePath(QStringLiteral("Accounts.cds")),
              QStringLiteral("Accounts.cds"),
              {accountRecord(kBank, QStringLiteral("Bank"), QStringLiteral("A")),
               accountRecord(QStringLiteral("300"), QStringLiteral("Savings"), QStringLiteral("C"))});
    const QByteArray summaryBefore = bytesOf(app.dataPath(QStringLiteral("Summary.cds")));
    MessageBox::setNextAnswer(QMessageBox::Yes);
    run(true, folder.filePath(QStringLiteral("Restore.d")));
    QCOMPARE(MessageBox::lastText(),
             QStringLiteral("File: ") + app.dataPath(QStringLiteral("Accounts.cds"))
                     + QStringLiteral(" AlreadyExists. Do you want to Replace the File ?"));
    QCOMPARE(Tillwick1->Label10->text(), QStringLiteral(" Files Restored."));
    QCOMPARE(topLines(), QStringList({"100 - Bank - A", "300 - Savings - C"}));
    QCOMPARE(bytesOf(app.dataPath(QStringLiteral("Summary.cds"))), summaryBefore);
    QCOMPARE(Tillwick1->ClientDataSet1->recordCount(), 1);
}

void TestBackup::nameWithoutSeparatorIsTheFolder()
{
    AppSession app;
    seedAndStart(app, oneAccount());
    QVERIFY(QDir().mkpath(app.dir().filePath(QStringLiteral("bk"))));
    run(false, QStringLiteral("bk"));
    QCOMPARE(filesIn(app.dir().filePath(QStringLiteral("bk"))).size(), 4);
}

void TestBackup::unreadableBackupIsNotRestored()
{
    AppSession app;
    seedAndStart(app, oneAccount());
    QTemporaryDir folder;
    {
        QFile file(folder.filePath(QStringLiteral("Summary.cds")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a table");
    }
    const QByteArray summaryBefore = bytesOf(app.dataPath(QStringLiteral("Summary.cds")));
    MessageBox::setNextAnswer(QMessageBox::Yes);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    run(true, folder.filePath(QStringLiteral("Restore.d")));
    QVERIFY2(MessageBox::lastText().startsWith(QStringLiteral("Not every file was restored.")),
             qPrintable(MessageBox::lastText()));
    QVERIFY(Tillwick1->Label10->text() != QStringLiteral(" Files Restored."));
    QCOMPARE(bytesOf(app.dataPath(QStringLiteral("Summary.cds"))), summaryBefore);
    QCOMPARE(Tillwick1->ClientDataSet1->recordCount(), 1);
}

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
