// Opening the program's tables in a fresh data folder.
#include "data/DataFiles.h"
#include "data/Layouts.h"
#include "data/TableStore.h"
#include "support/ScopedWorkDir.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestDataFiles : public QObject
{
    Q_OBJECT

private slots:
    void pathsFollowTheCurrentDirectory();
    void summaryIsWrittenAtOnceOthersAtFirstWrite();
    void rowsReachAnotherStoreOnlyAfterReopen();
    void optionsOfAnEarlierLayoutAreDropped();
    void optionsRowIsLoadedAndEdited();
    void damagedAccountsFileIsKept();
};

void TestDataFiles::pathsFollowTheCurrentDirectory()
{
    ScopedWorkDir dir;
    const DataPaths paths = dataPathsForCurrentDir();
    QCOMPARE(paths.HELPPATH, QDir::currentPath());
    QCOMPARE(paths.ROOTPATH, QDir::currentPath() + QStringLiteral("/DataFiles/"));
    QCOMPARE(paths.tablePath(QStringLiteral("Summary.cds")),
             QDir::currentPath() + QStringLiteral("/DataFiles/Summary.cds"));
    makeDataFolder(paths);
    QVERIFY(QDir(paths.ROOTPATH).exists());
}

void TestDataFiles::summaryIsWrittenAtOnceOthersAtFirstWrite()
{
    ScopedWorkDir dir;
    const DataPaths paths = dataPathsForCurrentDir();
    makeDataFolder(paths);
    TableStore summary(summaryFields());
    TableStore secondView(summaryFields());
    TableStore purchases(transactionFields());
    QVERIFY(OpenDataFile(paths, summary, secondView));
    QVERIFY(QFile::exists(paths.tablePath(TableFileName::Summary)));
    QCOMPARE(summary.indexFieldNames(), QStringLiteral("AccountNo;Symbol"));
    QCOMPARE(secondView.indexFieldNames(), QStringLiteral("AccountNo;Symbol"));

    QVERIFY(OpenDataFile2(paths, purchases));
    const QString purchasesPath = paths.tablePath(TableFileName::Purchases);
    QVERIFY(!QFile::exists(purchasesPath));
    QVERIFY(purchases.append());
    QVERIFY(purchases.setValue(QStringLiteral("Symbol"), QStringLiteral("IBM")));
    QVERIFY(purchases.post());
    QVERIFY(!QFile::exists(purchasesPath));
    QVERIFY(purchases.write());
    QVERIFY(QFile::exists(purchasesPath));
}

void TestDataFiles::rowsReachAnotherStoreOnlyAfterReopen()
{
    ScopedWorkDir dir;
    const DataPaths paths = dataPathsForCurrentDir();
    makeDataFolder(paths);
    TableStore summary(summaryFields());
    TableStore secondView(summaryFields());
    QVERIFY(OpenDataFile(paths, summary, secondView));
    QVERIFY(secondView.append());
    QVERIFY(secondView.setValue(QStringLiteral("AccountNo"), QStringLiteral("A-1")));
    QVERIFY(secondView.post());
    QVERIFY(secondView.write());
    QCOMPARE(summary.recordCount(), 0);
    summary.close();
    QVERIFY(OpenDataFile(paths, summary, secondView));
    QCOMPARE(summary.recordCount(), 1);
    QCOMPARE(summary.value(QStringLiteral("AccountNo")).toString(), QStringLiteral("A-1"));
}

void TestDataFiles::optionsOfAnEarlierLayoutAreDropped()
{
    ScopedWorkDir dir;
    const DataPaths paths = dataPathsForCurrentDir();
    makeDataFolder(paths);
    const QString path = paths.tablePath(TableFileName::Options);
    {
        FieldList earlier = optionsFields();
        earlier.removeLast();
        TableStore old(earlier);
        old.setFileName(path);
        QVERIFY(old.open());
        QVERIFY(old.append());
        QVERIFY(old.setValue(QStringLiteral("Style"), QStringLiteral("Old")));
        QVERIFY(old.close());
    }
    TableStore options(optionsFields());
    bool loaded = false;
    QVERIFY(OpenOptionsFile(paths, options, [&] { loaded = true; }));
    QVERIFY(!loaded);
    QCOMPARE(options.state(), TableStore::State::Insert);
    QVERIFY(options.value(QStringLiteral("Style")).isNull());
    QVERIFY(options.setValue(QStringLiteral("Style"), QStringLiteral("New")));
    QVERIFY(options.post());
    QVERIFY(options.close());

    TableStore reread(optionsFields());
    reread.setFileName(path);
    QVERIFY2(reread.open(), qPrintable(reread.lastError()));
    QCOMPARE(reread.recordCount(), 1);
    QCOMPARE(reread.value(QStringLiteral("Style")).toString(), QStringLiteral("New"));
}

void TestDataFiles::optionsRowIsLoadedAndEdited()
{
    ScopedWorkDir dir;
    const DataPaths paths = dataPathsForCurrentDir();
    makeDataFolder(paths);
    {
        TableStore first(optionsFields());
        QVERIFY(OpenOptionsFile(paths, first, nullptr));
        QVERIFY(first.setValue(QStringLiteral("QoteDelay"), 300));
        QVERIFY(first.post());
        QVERIFY(first.close());
    }
    TableStore options(optionsFields());
    int seen = 0;
    QVERIFY(OpenOptionsFile(
            paths, options, [&] { seen = options.value(QStringLiteral("QoteDelay")).toInt(); }));
    QCOMPARE(seen, 300);
    QCOMPARE(options.state(), TableStore::State::Edit);
    QCOMPARE(options.recordCount(), 1);
}

void TestDataFiles::damagedAccountsFileIsKept()
{
    ScopedWorkDir dir;
    const DataPaths paths = dataPathsForCurrentDir();
    makeDataFolder(paths);
    const QString path = paths.tablePath(TableFileName::Accounts);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a table at all");
    f.close();
    TableStore accounts(accountFields());
    QVERIFY(!OpenAccountsFile(paths, accounts));
    QVERIFY(accounts.lastError().contains(QStringLiteral("Accounts.cds")));
    QVERIFY(accounts.isOpen());
    QVERIFY(accounts.append());
    QVERIFY(accounts.post());
    accounts.close();
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("not a table at all"));
}

QTEST_GUILESS_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
