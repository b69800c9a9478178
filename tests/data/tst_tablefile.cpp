// Table stores and their files: values back exactly, last write wins, unreadable files untouched.
#include "data/TableStore.h"
#include "support/ScopedWorkDir.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QTest>

#include <sqlite3.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {
FieldList allTypes()
{
    return {{QStringLiteral("ID"), FieldType::AutoInc, 0},
            {QStringLiteral("Name"), FieldType::Text, 100},
            {QStringLiteral("Amount"), FieldType::Number, 0},
            {QStringLiteral("Count"), FieldType::Integer, 0},
            {QStringLiteral("Colour"), FieldType::LargeInt, 0},
            {QStringLiteral("Flag"), FieldType::Boolean, 0},
            {QStringLiteral("When"), FieldType::DateTime, 0},
            {QStringLiteral("Transaction"), FieldType::Text, 20}};
}

quint64 bits(double d)
{
    quint64 b;
    std::memcpy(&b, &d, sizeof b);
    return b;
}

QByteArray digest(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void addNamed(TableStore &store, const QString &name)
{
    QVERIFY(store.append());
    QVERIFY(store.setValue(QStringLiteral("Name"), name));
    QVERIFY(store.post());
}

QStringList names(TableStore &store)
{
    QStringList out;
    for (store.first(); !store.eof(); store.next())
        out << store.value(QStringLiteral("Name")).toString();
    return out;
}

void writeSqlite(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}
} // namespace

class TestTableFile : public QObject
{
    Q_OBJECT

private slots:
    void valuesComeBackExactly_data();
    void valuesComeBackExactly();
    void closeWritesOnlyWhenNeeded();
    void lastWriterWins();
    void incrementalWritesKeepDeletesAndEdits();
    void unreadableFilesAreLeftAlone_data();
    void unreadableFilesAreLeftAlone();
    void scratchStoreTakesTheLayoutItLoads();
    void writeToAndLoadFrom();
};

void TestTableFile::valuesComeBackExactly_data()
{
    QTest::addColumn<QVariantList>("values");
    const QDateTime when(QDate(2024, 4, 29), QTime(9, 5, 3, 789));
    const QString longName = QString(QStringLiteral("Société Générale ÄÖÜ ñ 株式 ")).repeated(4).left(100);
    QTest::newRow("tiny") << QVariantList{
            longName, 1e-300, -2147483647 - 1, qlonglong(0xFF336699), true, when, "Sell"};
    QTest::newRow("huge") << QVariantList{
            "", 1e300, 2147483647, qlonglong(-1), false, when.addYears(-500), "Purchase"};
    QTest::newRow("negative zero") << QVariantList{
            "O'Hara \"quoted\"", -0.0, 0, qlonglong(0), false, when, "Split"};
    QTest::newRow("sum") << QVariantList{"x", 0.1 + 0.2, -1, qlonglong(1) << 40, true, when.addMSecs(1), ""};
    QTest::newRow("infinity") << QVariantList{
            "y", std::numeric_limits<double>::infinity(), 1, qlonglong(2), true, when, "z"};
    QTest::newRow("nulls") << QVariantList{
            QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()};
}

void TestTableFile::valuesComeBackExactly()
{
    QFETCH(QVariantList, values);
    ScopedWorkDir dir;
    const QString path = dir.filePath(QStringLiteral("Values.cds"));
    {
        TableStore store(allTypes());
        store.setFileName(path);
        QVERIFY(store.open());
        QVERIFY(store.append());
        for (int f = 1; f < allTypes().size(); ++f)
            QVERIFY2(store.setValue(f, values.at(f - 1)), qPrintable(store.lastError()));
        QVERIFY(store.post());
        QVERIFY2(store.close(), qPrintable(store.lastError()));
    }
    TableStore store(allTypes());
    store.setFileName(path);
    QVERIFY2(store.open(), qPrintable(store.lastError()));
    QCOMPARE(store.recordCount(), 1);
    QCOMPARE(store.value(0), QVariant(1));
    for (int f = 1; f < allTypes().size(); ++f) {
        const QVariant expected = values.at(f - 1);
        const QVariant actual = store.value(f);
        QCOMPARE(actual.isNull(), expected.isNull());
        if (expected.isNull())
            continue;
        if (allTypes().at(f).type == FieldType::Number)
            QCOMPARE(bits(actual.toDouble()), bits(expected.toDouble()));
        else if (allTypes().at(f).type == FieldType::DateTime)
            QCOMPARE(actual.toDateTime().toMSecsSinceEpoch(), expected.toDateTime().toMSecsSinceEpoch());
        else
            QCOMPARE(actual.toString(), expected.toString());
    }
}

void TestTableFile::closeWritesOnlyWhenNeeded()
{
    ScopedWorkDir dir;
    const QString path = dir.filePath(QStringLiteral("T.cds"));
    TableStore store(allTypes());
    store.setFileName(path);
    QVERIFY(store.write()); // not open: nothing happens
    QVERIFY(!QFile::exists(path));

    QVERIFY(store.open());
    QVERIFY(!QFile::exists(path)); // created at its first write
    QVERIFY(store.close());        // or when closed without one
    QVERIFY(QFile::exists(path));

    QVERIFY(store.open());
    addNamed(store, QStringLiteral("a"));
    QVERIFY(store.close());
    const QByteArray afterChange = digest(path);
    QVERIFY(store.open());
    QCOMPARE(names(store), QStringList{"a"});
    QVERIFY(store.close());
    QCOMPARE(digest(path), afterChange); // nothing changed, nothing written

    // Closing drops a row that was never posted; writing posts it first.
    QVERIFY(store.open());
    QVERIFY(store.append());
    QVERIFY(store.edit());
    QVERIFY(store.setValue(QStringLiteral("Name"), QStringLiteral("dropped")));
    QVERIFY(store.close());
    QVERIFY(store.open());
    QCOMPARE(names(store), QStringList{"a"});
    QVERIFY(store.edit());
    QVERIFY(store.setValue(QStringLiteral("Name"), QStringLiteral("b")));
    QVERIFY(store.write());
    QCOMPARE(store.state(), TableStore::State::Browse);
    QVERIFY(store.close());
    QVERIFY(store.open());
    QCOMPARE(names(store), QStringList{"b"});
}

void TestTableFile::lastWriterWins()
{
    ScopedWorkDir dir;
    const QString path = dir.filePath(QStringLiteral("Summary.cds"));
    TableStore first(allTypes());
    TableStore second(allTypes());
    first.setFileName(path);
    second.setFileName(path);
    QVERIFY(first.open());
    addNamed(first, QStringLiteral("base"));
    QVERIFY(first.write());
    QVERIFY(second.open());

    addNamed(second, QStringLiteral("from second"));
    QVERIFY(second.write());
    {
        TableStore third(allTypes());
        third.setFileName(path);
        QVERIFY(third.open());
        QCOMPARE(names(third), QStringList({"base", "from second"}));
    }
    addNamed(first, QStringLiteral("from first"));
    QVERIFY(first.write()); // the file changed under it: written whole
    addNamed(first, QStringLiteral("again"));
    QVERIFY(first.write()); // now only the change

    TableStore reader(allTypes());
    reader.setFileName(path);
    QVERIFY(reader.open());
    QCOMPARE(names(reader), QStringList({"base", "from first", "again"}));

    // A row reaches another store on the file only when that one reopens.
    QCOMPARE(names(second), QStringList({"base", "from second"}));
    second.close(); // unchanged since its write: the first store's rows stay
    QVERIFY(second.open());
    QCOMPARE(names(second), QStringList({"base", "from first", "again"}));
}

void TestTableFile::incrementalWritesKeepDeletesAndEdits()
{
    ScopedWorkDir dir;
    const QString path = dir.filePath(QStringLiteral("History.cds"));
    TableStore store(allTypes());
    store.setFileName(path);
    QVERIFY(store.open());
    for (const char *n : {"a", "b", "c", "d"})
        addNamed(store, QString::fromLatin1(n));
    QVERIFY(store.write());
    QVERIFY(store.locate(QStringLiteral("Name"), QStringLiteral("b")));
    QVERIFY(store.remove());
    QVERIFY(store.locate(QStringLiteral("Name"), QStringLiteral("c")));
    QVERIFY(store.edit());
    QVERIFY(store.setValue(QStringLiteral("Name"), QStringLiteral("C")));
    QVERIFY(store.post());
    addNamed(store, QStringLiteral("e"));
    QVERIFY(store.write());

    TableStore reader(allTypes());
    reader.setFileName(path);
    QVERIFY(reader.open());
    QCOMPARE(names(reader), QStringList({"a", "C", "d", "e"}));
    QVERIFY(reader.setIndexFieldNames(QStringLiteral("ID")));
    reader.last();
    QCOMPARE(reader.value(0), QVariant(5)); // IDs go on from the highest in the file
    QVERIFY(reader.append());
    QCOMPARE(reader.value(0), QVariant(6));
}

void TestTableFile::unreadableFilesAreLeftAlone_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<int>("error");
    QTest::newRow("random bytes") << QByteArray("random") << int(TableStore::ErrorKind::NotATableFile);
    QTest::newRow("cut short") << QByteArray("truncated") << int(TableStore::ErrorKind::Damaged);
    QTest::newRow("another database") << QByteArray("foreign") << int(TableStore::ErrorKind::NotATableFile);
    QTest::newRow("another layout") << QByteArray("layout") << int(TableStore::ErrorKind::OtherLayout);
    QTest::newRow("empty file") << QByteArray("empty") << int(TableStore::ErrorKind::NotATableFile);
}

void TestTableFile::unreadableFilesAreLeftAlone()
{
    QFETCH(QByteArray, kind);
    QFETCH(int, error);
    ScopedWorkDir dir;
    const QString path = dir.filePath(QStringLiteral("Accounts.cds"));
    if (kind == "random" || kind == "empty") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (kind == "random") {
            QByteArray noise(8192, Qt::Uninitialized);
            for (int i = 0; i < noise.size(); ++i)
                noise[i] = char((i * 7919 + 13) % 251);
            f.write(noise);
        }
    } else if (kind == "foreign") {
        writeSqlite(path, "CREATE TABLE people(name TEXT); INSERT INTO people VALUES('x');");
    } else {
        TableStore big(kind == "layout" ? FieldList{{QStringLiteral("Other"), FieldType::Number, 0}}
                                        : allTypes());
        big.setFileName(path);
        QVERIFY(big.open());
        for (int i = 0; i < 2000; ++i) {
            QVERIFY(big.append());
            const QVariant value
                    = kind == "layout" ? QVariant(i) : QVariant(QStringLiteral("row %1 text").arg(i));
            QVERIFY(big.setValue(kind == "layout" ? 0 : 1, value));
            QVERIFY(big.post());
        }
        QVERIFY(big.close());
        if (kind == "truncated") {
            QFile f(path);
            QVERIFY(f.resize(f.size() / 2));
        }
    }
    const QByteArray before = digest(path);

    TableStore store(allTypes());
    store.setFileName(path);
    QVERIFY(!store.open());
    QCOMPARE(int(store.lastErrorKind()), error);
    QVERIFY2(store.lastError().contains(QStringLiteral("Accounts.cds")), qPrintable(store.lastError()));
    // The program carries on with the table empty, and nothing it does replaces the file.
    QVERIFY(store.isOpen());
    QCOMPARE(store.recordCount(), 0);
    addNamed(store, QStringLiteral("new"));
    QVERIFY(!store.write());
    store.close();
    QCOMPARE(digest(path), before);

    // Nor does another store that never read it.
    TableStore other(allTypes());
    other.setFileName(path + QStringLiteral(".x"));
    QVERIFY(other.open());
    addNamed(other, QStringLiteral("x"));
    other.setFileName(path);
    QVERIFY(!other.write());
    QCOMPARE(digest(path), before);
}

void TestTableFile::scratchStoreTakesTheLayoutItLoads()
{
    ScopedWorkDir dir;
    const QString a = dir.filePath(QStringLiteral("A.cds"));
    const QString b = dir.filePath(QStringLiteral("B.cds"));
    {
        TableStore store(allTypes());
        store.setFileName(a);
        QVERIFY(store.open());
        addNamed(store, QStringLiteral("one"));
        QVERIFY(store.close());
        TableStore other({{QStringLiteral("ID"), FieldType::AutoInc, 0},
                          {QStringLiteral("Total"), FieldType::Number, 0}});
        other.setFileName(b);
        QVERIFY(other.createDataSet());
        QVERIFY(other.close());
    }
    TableStore scratch;
    QVERIFY(scratch.loadFrom(a));
    QCOMPARE(scratch.fields(), allTypes());
    QCOMPARE(names(scratch), QStringList{"one"});
    QVERIFY(scratch.writeTo(dir.filePath(QStringLiteral("copy.cds"))));
    QVERIFY(scratch.loadFrom(b));
    QCOMPARE(scratch.fieldCount(), 2);
    QCOMPARE(scratch.recordCount(), 0);

    TableStore copy(allTypes());
    copy.setFileName(dir.filePath(QStringLiteral("copy.cds")));
    QVERIFY(copy.open());
    QCOMPARE(names(copy), QStringList{"one"});
}

void TestTableFile::writeToAndLoadFrom()
{
    ScopedWorkDir dir;
    const QString own = dir.filePath(QStringLiteral("Summary.cds"));
    const QString backup = dir.filePath(QStringLiteral("backup.cds"));
    TableStore store(allTypes());
    store.setFileName(own);
    QVERIFY(store.open());
    addNamed(store, QStringLiteral("kept"));
    QVERIFY(store.writeTo(backup));
    QVERIFY(!QFile::exists(own)); // a backup is not the store's own write
    QVERIFY(QDir(dir.path())
                    .entryList(QStringList{QStringLiteral("*.tmp")}, QDir::Hidden | QDir::Files)
                    .isEmpty());

    addNamed(store, QStringLiteral("later"));
    QVERIFY(store.loadFrom(backup));
    QCOMPARE(names(store), QStringList{"kept"});
    QVERIFY(store.hasUnwrittenChanges());
    QVERIFY(store.close());
    QVERIFY(store.open());
    QCOMPARE(names(store), QStringList{"kept"});

    QVERIFY(!store.loadFrom(dir.filePath(QStringLiteral("missing.cds"))));
    QCOMPARE(names(store), QStringList{"kept"});
}

QTEST_GUILESS_MAIN(TestTableFile)
#include "tst_tablefile.moc"
