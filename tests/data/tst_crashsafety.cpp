// A writer killed at random moments never leaves a table file half written.
//
// The writer (this program run with TILLWICK_CRASH_WRITER set) keeps one table consistent with
// itself after every write: a marker row says which step was written last and how many step rows
// there are; step rows carry their step number, contiguous and ending at the marker's. Any mix of
// two writes breaks that.
#include "data/TableStore.h"
#include "support/ScopedWorkDir.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <cstdio>

namespace {
const char *const kWriterVariable = "TILLWICK_CRASH_WRITER";
// Enough rows that writing the table whole takes a while, so kills land inside such writes.
const int kPadRows = 8000;

FieldList fields()
{
    return {{QStringLiteral("ID"), FieldType::AutoInc, 0},
            {QStringLiteral("Name"), FieldType::Text, 40},
            {QStringLiteral("Step"), FieldType::Integer, 0},
            {QStringLiteral("Amount"), FieldType::Number, 0}};
}

bool findMarker(TableStore &store)
{
    return store.locate(QStringLiteral("Name"), QStringLiteral("marker"));
}

// One step: a new row, sometimes the oldest one removed, and the marker brought up to date.
bool step(TableStore &store, int k)
{
    bool ok = store.append() && store.setValue(QStringLiteral("Name"), QStringLiteral("w%1").arg(k))
              && store.setValue(QStringLiteral("Step"), k)
              && store.setValue(QStringLiteral("Amount"), k * 0.5) && store.post();
    if (ok && k % 7 == 0) {
        store.setIndexFieldNames(QStringLiteral("Step"));
        store.first();
        while (!store.eof() && store.value(QStringLiteral("Step")).toInt() < 0)
            store.next();
        // the oldest step row, unless only the marker precedes the new one
        if (store.value(QStringLiteral("Name")).toString() != QLatin1String("marker"))
            ok = store.remove();
    }
    ok = ok && findMarker(store) && store.edit() && store.setValue(QStringLiteral("Step"), k)
         && store.setValue(QStringLiteral("Amount"), store.recordCount() - 1 - kPadRows) && store.post();
    return ok && store.write();
}

int runWriter(const QString &path)
{
    TableStore store(fields());
    store.setFileName(path);
    if (!store.open())
        return 2;
    store.setIndexFieldNames(QStringLiteral("ID"));
    if (!findMarker(store)) {
        for (int i = 0; i < kPadRows; ++i) {
            if (!store.append() || !store.setValue(QStringLiteral("Name"), QStringLiteral("pad %1").arg(i))
                || !store.setValue(QStringLiteral("Step"), -1) || !store.post())
                return 3;
        }
        if (!store.append() || !store.setValue(QStringLiteral("Name"), QStringLiteral("marker"))
            || !store.setValue(QStringLiteral("Step"), 0) || !store.setValue(QStringLiteral("Amount"), 0)
            || !store.post() || !store.write())
            return 3;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (int k = store.value(QStringLiteral("Step")).toInt() + 1;; ++k) {
        if (k % 5 == 0) {
            // Another store writes the file, so this one's next write replaces the table whole.
            TableStore other(fields());
            other.setFileName(path);
            if (!other.open() || !findMarker(other) || !other.edit()
                || !other.setValue(QStringLiteral("Name"), QStringLiteral("marker")) || !other.post()
                || !other.write())
                return 4;
        }
        if (k % 11 == 0) {
            // A copy renamed into place, as a restore does.
            TableStore scratch;
            if (!scratch.loadFrom(path) || !scratch.writeTo(path))
                return 5;
        }
        if (!step(store, k))
            return 6;
    }
}

// Empty when the table is whole, else what is wrong.
QString checkConsistent(const QString &path)
{
    TableStore store(fields());
    store.setFileName(path);
    if (!store.open())
        return store.lastError();
    if (!findMarker(store))
        return QStringLiteral("no marker row");
    const int last = store.value(QStringLiteral("Step")).toInt();
    const int count = int(store.value(QStringLiteral("Amount")).toDouble());
    store.setIndexFieldNames(QStringLiteral("Step"));
    QList<int> steps;
    int pads = 0;
    for (store.first(); !store.eof(); store.next()) {
        const QString name = store.value(QStringLiteral("Name")).toString();
        if (name == QLatin1String("marker"))
            continue;
        if (name.startsWith(QLatin1String("pad "))) {
            ++pads;
            continue;
        }
        const int k = store.value(QStringLiteral("Step")).toInt();
        if (name != QStringLiteral("w%1").arg(k)
            || store.value(QStringLiteral("Amount")).toDouble() != k * 0.5)
            return QStringLiteral("row %1 is not whole").arg(name);
        steps << k;
    }
    if (pads != kPadRows)
        return QStringLiteral("%1 of %2 padding rows").arg(pads).arg(kPadRows);
    if (steps.size() != count)
        return QStringLiteral("marker counts %1 rows, the table has %2").arg(count).arg(steps.size());
    for (int i = 0; i < steps.size(); ++i) {
        if (steps.at(i) != last - steps.size() + 1 + i)
            return QStringLiteral("steps are not contiguous up to %1").arg(last);
    }
    return {};
}
} // namespace

class TestCrashSafety : public QObject
{
    Q_OBJECT

private slots:
    void killedWriterLeavesAWholeTable();
};

void TestCrashSafety::killedWriterLeavesAWholeTable()
{
    ScopedWorkDir dir;
    const QString path = dir.filePath(QStringLiteral("History.cds"));
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    qInfo("random seed %u", seed);
    int lastStep = 0;
    int advanced = 0;
    for (int round = 0; round < 60; ++round) {
        QProcess writer;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kWriterVariable), path);
        writer.setProcessEnvironment(env);
        writer.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(writer.waitForStarted());
        QVERIFY2(writer.waitForReadyRead(10000), "the writer did not start writing");
        QTest::qSleep(int(random.bounded(5, 200)));
        writer.kill(); // SIGKILL: no chance to finish the write under way
        QVERIFY(writer.waitForFinished());
        QVERIFY2(writer.exitStatus() == QProcess::CrashExit,
                 qPrintable(QStringLiteral("writer stopped by itself with code %1").arg(writer.exitCode())));

        const QString problem = checkConsistent(path);
        QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("after kill %1: %2").arg(round).arg(problem)));
        TableStore store(fields());
        store.setFileName(path);
        QVERIFY(store.open());
        QVERIFY(findMarker(store));
        const int stepNow = store.value(QStringLiteral("Step")).toInt();
        QVERIFY(stepNow >= lastStep);
        advanced += stepNow > lastStep;
        lastStep = stepNow;
    }
    QVERIFY2(advanced > 10, "the writer hardly wrote between kills");
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(kWriterVariable)) {
        QCoreApplication app(argc, argv);
        return runWriter(qEnvironmentVariable(kWriterVariable));
    }
    QCoreApplication app(argc, argv);
    TestCrashSafety test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_crashsafety.moc"
