#include "data/DataFiles.h"

#include "data/Layouts.h"
#include "data/TableStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

DataPaths dataPathsForCurrentDir()
{
    DataPaths p;
    p.HELPPATH = QDir::currentPath();
    p.FILE_DELIM = QString();
    p.FILE_DELIM2 = QLatin1Char('/');
    p.ROOTPATH = p.HELPPATH + QStringLiteral("/DataFiles/");
    const QString programDir
            = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : p.HELPPATH;
    p.STYLE_PATH = programDir + QStringLiteral("/Styles/");
    return p;
}

void makeDataFolder(const DataPaths &paths)
{
    QDir().mkpath(paths.ROOTPATH);
}

namespace {
// Points the store at its file and opens it, or starts it empty when there is no file.
bool openOrCreate(TableStore &store, const QString &path, const QString &order = QString())
{
    if (!order.isEmpty())
        store.setIndexFieldNames(order);
    if (store.isOpen())
        return true;
    store.setFileName(path);
    if (!QFileInfo::exists(path))
        return store.createDataSet();
    return store.open();
}
} // namespace

bool OpenDataFile(const DataPaths &paths, TableStore &ClientDataSet1, TableStore &ClientDataSet6)
{
    const QString path = paths.tablePath(TableFileName::Summary);
    const QString order = QStringLiteral("AccountNo;Symbol");
    bool ok = true;
    ClientDataSet1.setIndexFieldNames(order);
    ClientDataSet6.setIndexFieldNames(order);
    if (!ClientDataSet1.isOpen()) {
        ClientDataSet1.setFileName(path);
        if (!QFileInfo::exists(path)) {
            ok = ClientDataSet1.createDataSet() && ClientDataSet1.write();
        } else {
            ok = ClientDataSet1.open();
        }
    }
    ClientDataSet6.setFileName(path);
    if (!ClientDataSet6.isOpen())
        ok = ClientDataSet6.open() && ok;
    return ok;
}

bool OpenDataFile2(const DataPaths &paths, TableStore &ClientDataSet2)
{
    return openOrCreate(ClientDataSet2,
                        paths.tablePath(TableFileName::Purchases),
                        QStringLiteral("AccountNo;Symbol;TransactionDate"));
}

bool OpenDataFile3(const DataPaths &paths, TableStore &ClientDataSet3)
{
    return openOrCreate(
            ClientDataSet3, paths.tablePath(TableFileName::History), QStringLiteral("AccountNo;Symbol"));
}

bool OpenDataFile8(const DataPaths &paths, TableStore &ClientDataSet8)
{
    return openOrCreate(
            ClientDataSet8, paths.tablePath(TableFileName::HistoryArcv), QStringLiteral("AccountNo;Symbol"));
}

bool OpenAccountsFile(const DataPaths &paths, TableStore &ClientDataSet4)
{
    return openOrCreate(
            ClientDataSet4, paths.tablePath(TableFileName::Accounts), QStringLiteral("AccountNo"));
}

bool OpenOptionsFile(const DataPaths &paths,
                     TableStore &ClientDataSet5,
                     const std::function<void()> &loadOptions)
{
    const QString path = paths.tablePath(TableFileName::Options);
    bool ok = openOrCreate(ClientDataSet5, path);
    if (!ok && ClientDataSet5.lastErrorKind() == TableStore::ErrorKind::OtherLayout) {
        // Options of an earlier version: start again from the defaults.
        ClientDataSet5.close();
        QFile::remove(path);
        ok = ClientDataSet5.createDataSet();
    }
    if (ClientDataSet5.recordCount() > 0) {
        ClientDataSet5.first();
        if (loadOptions)
            loadOptions();
        ClientDataSet5.edit();
    } else {
        ClientDataSet5.append();
    }
    return ok;
}
