// Speed and memory of the table store on a history table of realistic size and content, set
// against SQLite's own cost of reading the same file. Prints a table; a missed goal is reported,
// never treated as a failure.
//
// Usage: bench_tablestore [rows]   (default 1000000)
#include "BenchNames.h"
#include "data/DateText.h"
#include "data/Layouts.h"
#include "data/TableStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <malloc.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kAccounts = 5;
constexpr int kSymbolsPerAccount = 10;
constexpr int kHoldings = kAccounts * kSymbolsPerAccount;
constexpr int kSmallRows = 1000;
constexpr int kAppendRepeats = 31;
constexpr int kFilterRepeats = 9;
constexpr int kLoadRepeats = 3;
constexpr quint32 kSeed = 20240429;

struct Holding
{
    QString frstAccount;
    QString account;
    QString symbol;
    QString name;
    double quantity = 0;
    double aveCost = 0;
    double price = 0;
};

std::vector<Holding> makeHoldings()
{
    const auto &kFirst = kNameFirstWords;
    static const char *const kLast[]
            = {"Industries Inc.", "Holdings Corp.", "Technologies Ltd.", "Energy Co.", "Financial Group"};
    QRandomGenerator rng(kSeed);
    std::vector<Holding> holdings;
    for (int a = 0; a < kAccounts; ++a) {
        for (int s = 0; s < kSymbolsPerAccount; ++s) {
            Holding h;
            h.frstAccount = QStringLiteral("44201705");
            h.account = QString::number(44201705 + a * 7919);
            const QString first = QString::fromLatin1(kFirst[s]);
            h.symbol = (first.left(3) + QLatin1Char(char('A' + a))).toUpper();
            h.name = first + QLatin1Char(' ') + QString::fromLatin1(kLast[a]);
            h.quantity = 5.0 * (10 + rng.bounded(400));
            if (s % 4 == 3) // mutual funds hold fractional shares
                h.quantity = std::round(h.quantity * 1000.0 / 7.0) / 1000.0;
            h.aveCost = std::round((5.0 + rng.generateDouble() * 300.0) * 100.0) / 100.0;
            h.price = h.aveCost;
            holdings.push_back(h);
        }
    }
    return holdings;
}

struct HistoryColumns
{
    explicit HistoryColumns(const TableStore &s)
        : frstAccountNo(s.fieldIndex(u"FrstAccountNo"))
        , accountNo(s.fieldIndex(u"AccountNo"))
        , symbol(s.fieldIndex(u"Symbol"))
        , name(s.fieldIndex(u"Name"))
        , quantity(s.fieldIndex(u"Quantity"))
        , price(s.fieldIndex(u"Price"))
        , extension(s.fieldIndex(u"Extension"))
        , aveCost(s.fieldIndex(u"AveCost"))
        , difference(s.fieldIndex(u"Difference"))
        , percentDiff(s.fieldIndex(u"PercentDiff"))
        , lastUpdated(s.fieldIndex(u"LastUpdated"))
        , tranType(s.fieldIndex(u"TranType"))
        , dateCreated(s.fieldIndex(u"DateCreated"))
    {}
    int frstAccountNo, accountNo, symbol, name, quantity, price, extension, aveCost, difference, percentDiff,
            lastUpdated, tranType, dateCreated;
};

// One history row for a quote of h taken at msecs.
bool appendQuote(
        TableStore &store, const HistoryColumns &c, const Holding &h, qint64 msecs, const QString &dateText)
{
    const double extension = h.quantity * h.price;
    const double cost = h.quantity * h.aveCost;
    const double difference = extension - cost;
    return store.append() && store.setValue(c.frstAccountNo, h.frstAccount)
           && store.setValue(c.accountNo, h.account) && store.setValue(c.symbol, h.symbol)
           && store.setValue(c.name, h.name) && store.setValue(c.quantity, h.quantity)
           && store.setValue(c.price, h.price) && store.setValue(c.extension, extension)
           && store.setValue(c.aveCost, h.aveCost) && store.setValue(c.difference, difference)
           && store.setValue(c.percentDiff, cost != 0 ? difference / cost * 100.0 : 0.0)
           && store.setValue(c.lastUpdated, QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC))
           && store.setValue(c.tranType, QStringLiteral("Quote")) && store.setValue(c.dateCreated, dateText)
           && store.post();
}

// Start of each quote run: every five minutes of a trading day (9:30 to 16:00), weekdays only.
class QuoteClock
{
public:
    qint64 next()
    {
        if (m_slot == kSlotsPerDay) {
            m_slot = 0;
            do
                m_day = m_day.addDays(1);
            while (m_day.dayOfWeek() > 5);
        }
        const QTime at = QTime(9, 30).addSecs(300 * m_slot++);
        return QDateTime(m_day, at, Qt::UTC).toMSecsSinceEpoch();
    }

private:
    static constexpr int kSlotsPerDay = 79;
    QDate m_day{2023, 5, 1};
    int m_slot = 0;
};

// Runs in a child process, so that nothing of it is resident while the parent measures memory.
int generate(const QString &path, int rows)
{
    QElapsedTimer timer;
    timer.start();
    std::vector<Holding> holdings = makeHoldings();
    QRandomGenerator rng(kSeed + 1);
    TableStore store(historyFields());
    if (!store.createDataSet()) {
        std::fprintf(stderr, "createDataSet: %s\n", qPrintable(store.lastError()));
        return 1;
    }
    const HistoryColumns c(store);
    QuoteClock clock;
    qint64 lastSecond = -1;
    QString dateText;
    int distinctTexts = 0;
    for (int row = 0; row < rows;) {
        const qint64 runStart = clock.next();
        for (int k = 0; k < kHoldings && row < rows; ++k, ++row) {
            Holding &h = holdings[k];
            h.price = std::max(
                    0.01, std::round(h.price * (1.0 + (rng.generateDouble() - 0.5) * 0.004) * 100.0) / 100.0);
            // Quotes of one run come in over about two seconds.
            const qint64 msecs = runStart + 40 * k + rng.bounded(30);
            if (msecs / 1000 != lastSecond) {
                lastSecond = msecs / 1000;
                dateText = FlopDate(QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC));
                ++distinctTexts;
            }
            if (!appendQuote(store, c, h, msecs, dateText)) {
                std::fprintf(stderr, "append: %s\n", qPrintable(store.lastError()));
                return 1;
            }
        }
    }
    if (!store.writeTo(path)) {
        std::fprintf(stderr, "writeTo: %s\n", qPrintable(store.lastError()));
        return 1;
    }
    std::printf(
            "  generated %d rows in %.1f s: %d holdings over %d accounts, %d distinct DateCreated texts\n",
            rows,
            timer.nsecsElapsed() / 1e9,
            kHoldings,
            kAccounts,
            distinctTexts);
    return 0;
}

double msSince(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

qint64 vmRssKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

void readWholeFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    std::vector<char> buffer(1 << 20);
    while (f.read(buffer.data(), qint64(buffer.size())) > 0) {
    }
}

// SQLite's floor: every row and every column of the table, with nothing done to the values.
struct Scan
{
    qint64 rows = 0;
    qint64 keys = 0;
    qint64 textBytes = 0;
    double numbers = 0;
};

Scan sqliteScan(const QString &path, const FieldList &fields, int flags = SQLITE_OPEN_READONLY)
{
    Scan scan;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite3_open_v2: %s\n", sqlite3_errmsg(db));
        sqlite3_close(db);
        return scan;
    }
    std::string sql = "SELECT rowid";
    for (const FieldDef &f : fields)
        sql += ", \"" + f.name.toStdString() + '"';
    sql += " FROM rows ORDER BY rowid";
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &s, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite3_prepare_v2: %s\n", sqlite3_errmsg(db));
        sqlite3_close(db);
        return scan;
    }
    const int n = int(fields.size());
    while (sqlite3_step(s) == SQLITE_ROW) {
        ++scan.rows;
        scan.keys += sqlite3_column_int64(s, 0);
        for (int f = 0; f < n; ++f) {
            const int col = f + 1;
            switch (fields.at(f).type) {
            case FieldType::Text: {
                const unsigned char *text = sqlite3_column_text(s, col);
                scan.textBytes += sqlite3_column_bytes(s, col) + (text ? text[0] : 0);
                break;
            }
            case FieldType::Number:
                scan.numbers += sqlite3_column_double(s, col);
                break;
            default:
                scan.keys += sqlite3_column_int64(s, col);
            }
        }
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return scan;
}

qint64 countRows(const QString &path)
{
    sqlite3 *db = nullptr;
    qint64 count = -1;
    sqlite3_stmt *s = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK
        && sqlite3_prepare_v2(db, "SELECT count(*) FROM rows", -1, &s, nullptr) == SQLITE_OK
        && sqlite3_step(s) == SQLITE_ROW)
        count = sqlite3_column_int64(s, 0);
    sqlite3_finalize(s);
    sqlite3_close(db);
    return count;
}

// One line of the printed table; a line without a verdict is for information only.
struct Line
{
    QString measure;
    QString value;
    QString ratio;
    QString goal;
    int verdict = -1; // -1 none, 0 missed, 1 met
};

std::vector<Line> g_lines;

QString ms(double v)
{
    return v >= 100 ? QStringLiteral("%1 ms").arg(v, 0, 'f', 0) : QStringLiteral("%1 ms").arg(v, 0, 'f', 2);
}

QString times(double v)
{
    return QStringLiteral("%1x").arg(v, 0, 'f', v >= 10 ? 0 : 2);
}

void info(const QString &measure, const QString &value, const QString &ratio = {})
{
    g_lines.push_back({measure, value, ratio, QStringLiteral("-"), -1});
}

void atMost(const QString &measure,
            const QString &value,
            const QString &ratio,
            double got,
            double goal,
            const QString &goalText)
{
    g_lines.push_back({measure, value, ratio, goalText, got <= goal ? 1 : 0});
}

void atLeast(const QString &measure,
             const QString &value,
             const QString &ratio,
             double got,
             double goal,
             const QString &goalText)
{
    g_lines.push_back({measure, value, ratio, goalText, got >= goal ? 1 : 0});
}

void printTable()
{
    int width = 7;
    for (const Line &l : g_lines)
        width = std::max(width, int(l.measure.size()));
    const auto row
            = [&](const QString &a, const QString &b, const QString &c, const QString &d, const QString &e) {
                  std::printf("%-*s  %12s  %9s  %10s  %s\n",
                              width,
                              qPrintable(a),
                              qPrintable(b),
                              qPrintable(c),
                              qPrintable(d),
                              qPrintable(e));
              };
    std::printf("\n");
    row(QStringLiteral("Measure"),
        QStringLiteral("Value"),
        QStringLiteral("Ratio"),
        QStringLiteral("Goal"),
        QStringLiteral("Result"));
    std::printf("%s\n", QByteArray(width + 51, '-').constData());
    for (const Line &l : g_lines) {
        row(l.measure,
            l.value,
            l.ratio,
            l.goal,
            l.verdict < 0 ? QString() : (l.verdict ? QStringLiteral("PASS") : QStringLiteral("MISS")));
    }
}

bool check(bool ok, const TableStore &store, const char *what)
{
    if (!ok)
        std::fprintf(stderr, "%s failed: %s\n", what, qPrintable(store.lastError()));
    return ok;
}

struct Loaded
{
    std::unique_ptr<TableStore> store;
    double openMs = 0;
    double indexMs = 0;
};

Loaded load(const QString &path)
{
    Loaded l;
    QElapsedTimer timer;
    timer.start();
    l.store = std::make_unique<TableStore>(historyFields());
    l.store->setFileName(path);
    check(l.store->open(), *l.store, "open");
    l.openMs = msSince(timer);
    timer.restart();
    check(l.store->setIndexFieldNames(QStringLiteral("AccountNo;Symbol")), *l.store, "setIndexFieldNames");
    l.indexMs = msSince(timer);
    return l;
}

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Append, set fields, post and write to the store's own file: medians of wall and CPU time.
struct AppendTimes
{
    std::vector<double> wall;
    std::vector<double> cpu;
};

bool appendAndWrite(TableStore &store, const Holding &h, qint64 msecs, AppendTimes &out)
{
    const HistoryColumns c(store);
    const QString text = FlopDate(QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC));
    const double cpuStart = cpuMs();
    QElapsedTimer timer;
    timer.start();
    const bool ok = check(appendQuote(store, c, h, msecs, text), store, "append")
                    && check(store.write(), store, "write");
    out.wall.push_back(msSince(timer));
    out.cpu.push_back(cpuMs() - cpuStart);
    return ok;
}

QString thousands(qint64 n)
{
    QString s = QString::number(n);
    for (int at = int(s.size()) - 3; at > 0; at -= 3)
        s.insert(at, QLatin1Char(','));
    return s;
}

int runBenchmark(int rows)
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder: %s\n", qPrintable(dir.errorString()));
        return 1;
    }
    const QString bigPath = dir.filePath(QStringLiteral("History.cds"));
    const QString smallPath = dir.filePath(QStringLiteral("HistorySmall.cds"));
    const QString backupPath = dir.filePath(QStringLiteral("HistoryBackup.cds"));
    const QString N = thousands(rows);

    std::printf("Table store benchmark: %s history rows in %s\n", qPrintable(N), qPrintable(dir.path()));
    std::fflush(stdout);
    const QString self = QCoreApplication::applicationFilePath();
    for (const auto &[path, count] : {std::pair{bigPath, rows}, std::pair{smallPath, kSmallRows}}) {
        if (QProcess::execute(self, {QStringLiteral("--generate"), path, QString::number(count)}) != 0) {
            std::fprintf(stderr, "generating %s failed\n", qPrintable(path));
            return 1;
        }
    }
    std::printf("  file size %.1f MB (%.0f bytes/row)\n",
                QFileInfo(bigPath).size() / 1e6,
                double(QFileInfo(bigPath).size()) / rows);

    // 1. SQLite's floor, on a warm page cache.
    const FieldList fields = historyFields();
    readWholeFile(bigPath);
    std::vector<double> scans, scansNoMutex;
    for (int i = 0; i < kLoadRepeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        const Scan scan = sqliteScan(bigPath, fields);
        scans.push_back(msSince(timer));
        if (scan.rows != rows)
            std::fprintf(stderr, "SQLite read %lld rows, expected %d\n", scan.rows, rows);
        timer.restart();
        sqliteScan(bigPath, fields, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX);
        scansNoMutex.push_back(msSince(timer));
    }
    const double floorMs = median(scans);
    info(QStringLiteral("SQLite floor: step + read every column, %1 rows").arg(N), ms(floorMs));
    // Without the per-call connection mutex of SQLite's default serialized mode.
    info(QStringLiteral("  the same, opened with SQLITE_OPEN_NOMUTEX"),
         ms(median(scansNoMutex)),
         times(median(scansNoMutex) / floorMs));

    // 2 and 3. Open and index; resident memory of the first store, with nothing else alive.
    malloc_trim(0);
    const qint64 rssBefore = vmRssKb();
    Loaded a = load(bigPath);
    const qint64 rssAfter = vmRssKb();
    malloc_trim(0);
    const qint64 rssTrimmed = vmRssKb();
    if (a.store->recordCount() != rows)
        std::fprintf(stderr, "store holds %d rows, expected %d\n", a.store->recordCount(), rows);

    std::vector<double> opens{a.openMs}, indexes{a.indexMs}, totals{a.openMs + a.indexMs};
    Loaded b; // kept open for the whole rewrite below
    for (int i = 1; i < kLoadRepeats; ++i) {
        b = load(bigPath);
        opens.push_back(b.openMs);
        indexes.push_back(b.indexMs);
        totals.push_back(b.openMs + b.indexMs);
    }
    info(QStringLiteral("Store open() (read the file)"), ms(median(opens)), times(median(opens) / floorMs));
    info(QStringLiteral("Store setIndexFieldNames(AccountNo;Symbol)"),
         ms(median(indexes)),
         times(median(indexes) / floorMs));
    const double loadRatio = median(totals) / floorMs;
    atMost(QStringLiteral("Store open + index, to SQLite floor"),
           ms(median(totals)),
           times(loadRatio),
           loadRatio,
           1.5,
           QStringLiteral("<= 1.5x"));

    const double perRow = double(rssAfter - rssBefore) * 1024.0 / rows;
    atMost(QStringLiteral("Resident memory after open + index"),
           QStringLiteral("%1 B/row").arg(perRow, 0, 'f', 1),
           {},
           perRow,
           150,
           QStringLiteral("<= 150 B"));
    info(QStringLiteral("  the same after malloc_trim (live data only)"),
         QStringLiteral("%1 B/row").arg(double(rssTrimmed - rssBefore) * 1024.0 / rows, 0, 'f', 1));

    // 4. Append one row and write, small table and big table.
    std::vector<Holding> holdings = makeHoldings();
    const qint64 appendStart = QDateTime(QDate(2024, 6, 3), QTime(10, 0), Qt::UTC).toMSecsSinceEpoch();
    // Taken in turns, so that both sizes see the same disk.
    Loaded small = load(smallPath);
    AppendTimes smallTimes, bigTimes;
    for (int i = 0; i < kAppendRepeats; ++i) {
        const Holding &h = holdings[size_t(i) % holdings.size()];
        const qint64 msecs = appendStart + qint64(i) * 300000;
        if (!appendAndWrite(*small.store, h, msecs, smallTimes)
            || !appendAndWrite(*a.store, h, msecs, bigTimes))
            break;
    }
    small.store.reset();
    const double smallMs = median(smallTimes.wall);
    const double bigMs = median(bigTimes.wall);
    const double appendRatio = bigMs / smallMs;
    info(QStringLiteral("Append + write at %1 rows (median of %2)")
                 .arg(thousands(kSmallRows))
                 .arg(kAppendRepeats),
         ms(smallMs));
    atMost(QStringLiteral("Append + write at %1 rows (median of %2)").arg(N).arg(kAppendRepeats),
           ms(bigMs),
           times(appendRatio),
           appendRatio,
           1.5,
           QStringLiteral("<= 1.5x"));
    info(QStringLiteral("  CPU time of it at %1 rows").arg(thousands(kSmallRows)),
         ms(median(smallTimes.cpu)));
    info(QStringLiteral("  CPU time of it at %1 rows").arg(N),
         ms(median(bigTimes.cpu)),
         times(median(bigTimes.cpu) / median(smallTimes.cpu)));

    // 5. Whole rewrites: a store whose file another store wrote since it read it, and a backup.
    {
        const HistoryColumns c(*b.store);
        check(appendQuote(*b.store,
                          c,
                          holdings.front(),
                          appendStart,
                          FlopDate(QDateTime::fromMSecsSinceEpoch(appendStart, Qt::UTC))),
              *b.store,
              "append");
        QElapsedTimer timer;
        timer.start();
        check(b.store->write(), *b.store, "write");
        const double wholeMs = msSince(timer);
        const qint64 inFile = countRows(bigPath);
        if (inFile != b.store->recordCount())
            std::fprintf(stderr,
                         "file holds %lld rows after the whole write, the store %d\n",
                         inFile,
                         b.store->recordCount());
        atLeast(QStringLiteral("Whole rewrite of own file (another store wrote)"),
                ms(wholeMs),
                times(wholeMs / bigMs),
                wholeMs / bigMs,
                100,
                QStringLiteral(">= 100x"));
    }
    b.store.reset();
    {
        QElapsedTimer timer;
        timer.start();
        check(a.store->writeTo(backupPath), *a.store, "writeTo");
        const double backupMs = msSince(timer);
        atLeast(QStringLiteral("Whole write to a new file (writeTo)"),
                ms(backupMs),
                times(backupMs / bigMs),
                backupMs / bigMs,
                100,
                QStringLiteral(">= 100x"));
    }

    // 6. Filter to one holding.
    TableStore &store = *a.store;
    std::vector<double> filters;
    int shown = 0;
    for (int i = 0; i < kFilterRepeats; ++i) {
        const Holding &h = holdings[size_t(i * 7) % holdings.size()];
        const QString text
                = QStringLiteral("[AccountNo] = '%1' AND [Symbol] = '%2'").arg(h.account, h.symbol);
        QElapsedTimer timer;
        timer.start();
        check(store.setFilter(text), store, "setFilter");
        filters.push_back(msSince(timer));
        shown = store.recordCount();
    }
    const double filterMs = median(filters);
    atMost(QStringLiteral("Filter to one holding (%1 rows shown, median of %2)")
                   .arg(thousands(shown))
                   .arg(kFilterRepeats),
           ms(filterMs),
           {},
           filterMs,
           20,
           QStringLiteral("<= 20 ms"));
    {
        QElapsedTimer timer;
        timer.start();
        check(store.setFilter(QString()), store, "setFilter");
        info(QStringLiteral("Clear the filter"), ms(msSince(timer)));
    }

    // 7. Index order changes on the whole table.
    for (const QString &order :
         {QStringLiteral("AccountNo;Symbol;DateCreated"), QStringLiteral("AccountNo;Symbol")}) {
        QElapsedTimer timer;
        timer.start();
        check(store.setIndexFieldNames(order), store, "setIndexFieldNames");
        const double t = msSince(timer);
        info(QStringLiteral("Index order to %1").arg(order), ms(t), times(t / floorMs));
    }

    printTable();
    std::printf("\nRatios of load and index lines are to the SQLite floor; whole writes to the append at %s "
                "rows.\n",
                qPrintable(N));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("--generate"))
        return generate(args.at(2), args.at(3).toInt());
    int rows = 1000000;
    if (args.size() >= 2) {
        bool ok = false;
        rows = args.at(1).toInt(&ok);
        if (!ok || rows < kHoldings) {
            std::fprintf(stderr, "usage: bench_tablestore [rows]\n");
            return 2;
        }
    }
    return runBenchmark(rows);
}
