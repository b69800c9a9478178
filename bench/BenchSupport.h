#pragma once

// What the benchmarks that drive the real main window share: seeding the tables, starting and
// stopping the windows, and the table of figures they print.
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "data/DateText.h"
#include "data/Layouts.h"
#include "data/TableStore.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

// A holding as the holdings table has it before a run.
struct SeedHolding
{
    QString account;
    QString symbol;
    QString name;
    double quantity = 0;
    double aveCost = 0;
    double price = 0;
};

struct SeedAccount
{
    QString number;
    const char *name;
    const char *description;
};

inline bool failed(const TableStore &store, const char *what)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(store.lastError()));
    return false;
}

// Fills a new table row by row and writes it in one go, as bench_tablestore does.
template<typename Fill>
bool writeTable(const QString &path, QLatin1String layout, Fill fill)
{
    TableStore store(fieldsOfFile(QString(layout)));
    if (!store.createDataSet())
        return failed(store, "createDataSet");
    // Field names are literals: their addresses are enough to remember their positions by.
    QHash<const char *, int> positions;
    const auto set = [&store, &positions](const char *field, const QVariant &value) -> bool {
        auto it = positions.find(field);
        if (it == positions.end())
            it = positions.insert(field, store.fieldIndex(QString::fromLatin1(field)));
        return store.setValue(*it, value);
    };
    if (!fill(store, set))
        return failed(store, layout.data());
    return store.writeTo(path) || failed(store, "writeTo");
}

template<typename Set, typename Holding>
bool setHoldingFields(Set &set, const Holding &h)
{
    return set("FrstAccountNo", h.account) && set("AccountNo", h.account) && set("Symbol", h.symbol)
           && set("Name", h.name);
}

inline bool writeAccounts(const QString &path,
                          const std::vector<SeedAccount> &accounts,
                          const std::vector<SeedHolding> &holdings)
{
    return writeTable(path, TableFileName::Accounts, [&](TableStore &s, auto set) {
        for (const SeedAccount &a : accounts) {
            double total = 0;
            for (const SeedHolding &h : holdings) {
                if (h.account == a.number)
                    total += h.quantity * h.price;
            }
            if (!(s.append() && set("FrstAccountNo", a.number) && set("AccountNo", a.number)
                  && set("AccountName", QString::fromLatin1(a.name))
                  && set("AccountDesc", QString::fromLatin1(a.description)) && set("Total", total)
                  && s.post()))
                return false;
        }
        return true;
    });
}

inline bool writeSummary(const QString &path, const std::vector<SeedHolding> &holdings)
{
    const QDateTime updated(QDate(2024, 5, 31), QTime(16, 5), Qt::UTC);
    return writeTable(path, TableFileName::Summary, [&](TableStore &s, auto set) {
        for (const SeedHolding &h : holdings) {
            const double extension = h.quantity * h.price;
            const double cost = h.quantity * h.aveCost;
            if (!(s.append() && setHoldingFields(set, h) && set("Quantity", h.quantity)
                  && set("Price", h.price) && set("Extension", extension) && set("AveCost", h.aveCost)
                  && set("Difference", extension - cost)
                  && set("PercentDiff", (extension - cost) / cost * 100) && set("LastUpdated", updated)
                  && s.post()))
                return false;
        }
        return true;
    });
}

// Quote runs every five minutes of the trading day, each taking every holding in turn.
inline bool
writeHistory(const QString &path, const std::vector<SeedHolding> &holdings, int rows, quint32 seed)
{
    return writeTable(path, TableFileName::History, [&](TableStore &s, auto set) {
        QRandomGenerator rng(seed);
        std::vector<double> prices;
        for (const SeedHolding &h : holdings)
            prices.push_back(h.price);
        QDate day(2021, 3, 1);
        int slot = 0;
        for (int row = 0; row < rows;) {
            if (slot == 79) {
                slot = 0;
                do
                    day = day.addDays(1);
                while (day.dayOfWeek() > 5);
            }
            const QDateTime runStart(day, QTime(9, 30).addSecs(300 * slot++), Qt::UTC);
            for (size_t k = 0; k < holdings.size() && row < rows; ++k, ++row) {
                const SeedHolding &h = holdings[k];
                double &price = prices[k];
                price = std::max(0.01,
                                 std::round(price * (1.0 + (rng.generateDouble() - 0.5) * 0.004) * 100.0)
                                         / 100.0);
                const QDateTime at = runStart.addMSecs(40 * qint64(k) + rng.bounded(30));
                const double extension = h.quantity * price;
                const double cost = h.quantity * h.aveCost;
                if (!(s.append() && setHoldingFields(set, h) && set("Quantity", h.quantity)
                      && set("Price", price) && set("Extension", extension) && set("AveCost", h.aveCost)
                      && set("Difference", extension - cost)
                      && set("PercentDiff", (extension - cost) / cost * 100) && set("LastUpdated", at)
                      && set("TranType", QStringLiteral("Quote")) && set("DateCreated", FlopDate(at))
                      && s.post()))
                    return false;
            }
        }
        return true;
    });
}

// Rows of a table file, counted by SQLite itself; -1 when it cannot be read.
// A fresh temporary folder made the current directory (the program keeps its tables in
// ./DataFiles/) for as long as the object lives; it tells where the benchmark runs.
class BenchFolder
{
public:
    explicit BenchFolder(const char *title)
        : m_previous(QDir::currentPath())
    {
        if (!m_dir.isValid()) {
            std::fprintf(stderr, "no temporary folder: %s\n", qPrintable(m_dir.errorString()));
            return;
        }
        QDir::setCurrent(m_dir.path());
        std::printf("%s in %s\n", title, qPrintable(m_dir.path()));
        std::fflush(stdout);
    }
    ~BenchFolder() { QDir::setCurrent(m_previous); }
    BenchFolder(const BenchFolder &) = delete;
    BenchFolder &operator=(const BenchFolder &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// The history size from the command line (default when absent); -1, after telling the user, when
// it is no number of at least minimum.
inline int historyRowsArgument(int argc, char **argv, int fallback, int minimum, const char *program)
{
    if (argc < 2)
        return fallback;
    bool ok = false;
    const int rows = QString::fromLocal8Bit(argv[1]).toInt(&ok);
    if (ok && rows >= minimum)
        return rows;
    std::fprintf(stderr, "usage: %s [history rows, at least %d]\n", program, minimum);
    return -1;
}

inline qint64 rowsInTableFile(const QString &fileName)
{
    const QByteArray path = QFile::encodeName(fileName);
    sqlite3 *db = nullptr;
    sqlite3_stmt *s = nullptr;
    qint64 count = -1;
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK
        && sqlite3_prepare_v2(db, "SELECT count(*) FROM rows", -1, &s, nullptr) == SQLITE_OK
        && sqlite3_step(s) == SQLITE_ROW)
        count = sqlite3_column_int64(s, 0);
    sqlite3_finalize(s);
    sqlite3_close(db);
    return count;
}

inline double msSince(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline QString thousands(qint64 n)
{
    QString s = QString::number(n);
    for (int at = int(s.size()) - 3; at > 0; at -= 3)
        s.insert(at, QLatin1Char(','));
    return s;
}

inline QString ms(double v)
{
    return v >= 100 ? QStringLiteral("%1 ms").arg(v, 0, 'f', 0) : QStringLiteral("%1 ms").arg(v, 0, 'f', 2);
}

inline QString times(double v)
{
    return QStringLiteral("%1x").arg(v, 0, 'f', v >= 10 ? 0 : 2);
}

struct Line
{
    QString measure;
    QString value;
    QString ratio;
};

inline std::vector<Line> g_lines;
inline std::vector<QString> g_checks;

inline void figure(const QString &measure, const QString &value, const QString &ratio = {})
{
    g_lines.push_back({measure, value, ratio});
}

inline void checkLine(bool good, const QString &text)
{
    g_checks.push_back((good ? QStringLiteral("  ok    ") : QStringLiteral("  WRONG ")) + text);
}

inline void printTable()
{
    int width = 7;
    for (const Line &l : g_lines)
        width = std::max(width, int(l.measure.size()));
    std::printf("\n%-*s  %12s  %9s\n", width, "Measure", "Value", "Ratio");
    std::printf("%s\n", QByteArray(width + 25, '-').constData());
    for (const Line &l : g_lines)
        std::printf(
                "%-*s  %12s  %9s\n", width, qPrintable(l.measure), qPrintable(l.value), qPrintable(l.ratio));
    std::printf("\nChecks (reported, not enforced):\n");
    for (const QString &c : g_checks)
        std::printf("%s\n", qPrintable(c));
}

inline QtMessageHandler g_defaultHandler = nullptr;

// The offscreen platform says this for every window shown; it tells nothing here.
inline void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.contains(QLatin1String("propagateSizeHints")))
        return;
    if (g_defaultHandler)
        g_defaultHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

// Before the application exists: offscreen, and nothing of a run may reach past this machine.
inline void prepareBenchEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TILLWICK_PEER_SCOPE", "loopback");
    for (const char *service : {"TILLWICK_QUOTE_URL", "TILLWICK_MARKER_URL", "TILLWICK_NAME_URL"})
        qputenv(service, "http://127.0.0.1:9");
    g_defaultHandler = qInstallMessageHandler(quietHandler);
}

// A box the program raises would wait for a person; it is noted and closed instead.
inline int g_boxes = 0;

inline void closeModalBoxes()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
        return;
    ++g_boxes;
    std::fprintf(stderr, "message box closed: %s\n", qPrintable(box->text()));
    box->reject();
}

inline void guardModalBoxes(QObject *parent)
{
    auto *guard = new QTimer(parent);
    QObject::connect(guard, &QTimer::timeout, guard, &closeModalBoxes);
    guard->start(100);
}

// Creates and shows the windows; the time that took.
inline double startWindows()
{
    QElapsedTimer timer;
    timer.start();
    CreateWindows();
    Tillwick1->show();
    const double startMs = msSince(timer);
    QCoreApplication::processEvents();
    return startMs;
}

inline void stopWindows()
{
    Tillwick1->close();
    DestroyWindows();
    QCoreApplication::processEvents();
}

// As a click on the account's line of the tree.
inline bool chooseAccount(const QString &account)
{
    QTreeWidget *tree = Tillwick1->TreeView1;
    const int line = Tillwick1->FindAccountLine(account);
    if (line < 0)
        return false;
    tree->clearSelection();
    tree->topLevelItem(line)->setSelected(true);
    Tillwick1->TreeView1Click();
    QCoreApplication::processEvents();
    return Tillwick1->CURRENT_ACCOUNT == account;
}
