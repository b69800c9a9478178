// Speed of the ledger in the real main window, on tables of realistic size: the "Ave Cost" button
// over an account of 100 holdings with 1,000 transactions each, and one history record appended
// beside a million others. Prints a table; a slow figure is reported, never treated as a failure.
//
// Usage: bench_ledger [history rows]   (default 1000000)
#include "BenchNames.h"
#include "BenchSupport.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"
#include "ledger/AverageCost.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kHoldings = 100;
constexpr int kTransactionsPerHolding = 1000;
constexpr int kOtherHoldings = 3;
constexpr int kOtherTransactions = 20;
constexpr int kClickRuns = 5;
constexpr int kSplitRuns = 3;
constexpr int kSmallHistory = 1000;
constexpr int kAppendRepeats = 31;
constexpr quint32 kSeed = 20240611;

const QString kMainAccount = QStringLiteral("30512877");
const QString kOtherAccount = QStringLiteral("61740093");

struct Holding
{
    QString account;
    QString symbol;
    QString name;
    double price = 0; // today's
    double seededQuantity = 0;
    double seededAveCost = 0;
    double heldQuantity = 0; // what the transactions add up to
    double lowestPaid = 0;
    double highestPaid = 0;
    QList<TransactionLine> lines; // in date order, which is the order the program reads them
    std::vector<QDateTime> dates;
};

// A holding's life over several years: buys, smaller sales and about once a 2-for-1 split, which
// (as the program enters it) adds as many shares as are held at half the price.
Holding makeHolding(QRandomGenerator &rng,
                    const QString &account,
                    const QString &symbol,
                    const QString &name,
                    int transactions)
{
    Holding h;
    h.account = account;
    h.symbol = symbol;
    h.name = name;
    double price = 8.0 + rng.generateDouble() * 240.0;
    double held = 0;
    QDate day(2015, 1, 5);
    h.lowestPaid = 1e300;
    for (int i = 0; i < transactions; ++i) {
        day = day.addDays(1 + int(rng.bounded(4))); // 1,000 of them take about seven years
        price = std::max(0.5, price * (1.0 + (rng.generateDouble() - 0.49) * 0.03));
        price = std::round(price * 100.0) / 100.0;
        TransactionLine line;
        const quint32 roll = rng.bounded(1000);
        if (i > 0 && held >= 2 && roll < 1) {
            price = std::round(price * 50.0) / 100.0;
            line = {QStringLiteral("Split"), held, price};
        } else if (i > 0 && held >= 2 && roll < 301) {
            line = {QStringLiteral("Sell"), -std::min(held - 1, double(5 + rng.bounded(56))), price};
        } else {
            line = {QStringLiteral("Purchase"), double(10 + rng.bounded(190)), price};
        }
        held += line.quantity;
        if (line.transaction != QLatin1String("Sell")) {
            h.lowestPaid = std::min(h.lowestPaid, line.price);
            h.highestPaid = std::max(h.highestPaid, line.price);
        }
        h.lines.append(line);
        h.dates.push_back(QDateTime(day, QTime(10, 0), Qt::UTC));
        // What Summary.cds says before the button: figures of some time ago.
        if (i == transactions * 9 / 10) {
            h.seededQuantity = held;
            h.seededAveCost = h.lines.first().price;
        }
    }
    h.heldQuantity = held;
    h.price = price;
    return h;
}

std::vector<Holding> makeHoldings()
{
    const auto &kFirst = kNameFirstWords;
    const auto &kLast = kNameLastWords;
    QRandomGenerator rng(kSeed);
    std::vector<Holding> holdings;
    for (int i = 0; i < kHoldings; ++i) {
        const QString first = QString::fromLatin1(kFirst[i / 10]);
        const QString last = QString::fromLatin1(kLast[i % 10]);
        holdings.push_back(makeHolding(rng,
                                       kMainAccount,
                                       (first.left(3) + last.left(1)).toUpper(),
                                       first + QLatin1Char(' ') + last,
                                       kTransactionsPerHolding));
    }
    static const char *const kFunds[][2] = {
            {"OAKB", "Oakfield Bond Fund"}, {"RVRX", "Riverside Index Fund"}, {"TMBR", "Timberline Growth"}};
    for (int i = 0; i < kOtherHoldings; ++i) {
        holdings.push_back(makeHolding(rng,
                                       kOtherAccount,
                                       QString::fromLatin1(kFunds[i][0]),
                                       QString::fromLatin1(kFunds[i][1]),
                                       kOtherTransactions));
    }
    return holdings;
}

// The holdings as the tables have them before the click.
std::vector<SeedHolding> seedHoldings(const std::vector<Holding> &holdings)
{
    std::vector<SeedHolding> seeds;
    for (const Holding &h : holdings)
        seeds.push_back({h.account, h.symbol, h.name, h.seededQuantity, h.seededAveCost, h.price});
    return seeds;
}

bool writePurchases(const QString &path, const std::vector<Holding> &holdings)
{
    return writeTable(path, TableFileName::Purchases, [&](TableStore &s, auto set) {
        for (const Holding &h : holdings) {
            for (qsizetype i = 0; i < h.lines.size(); ++i) {
                const TransactionLine &l = h.lines.at(i);
                const QDateTime &date = h.dates[size_t(i)];
                if (!(s.append() && setHoldingFields(set, h) && set("Quantity", l.quantity)
                      && set("Price", l.price) && set("Extension", l.quantity * l.price)
                      && set("TransDateDsp", date) && set("Transaction", l.transaction)
                      && set("TransactionDate", FlopDate(date)) && set("LastUpdated", date) && s.post()))
                    return false;
            }
        }
        return true;
    });
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

QString share(double part, double whole)
{
    return QStringLiteral("%1%").arg(whole > 0 ? part / whole * 100 : 0, 0, 'f', 0);
}

volatile double g_sink = 0; // keeps a timed call that nothing else reads

class Bench
{
public:
    Bench(const QString &root, int historyRows)
        : m_seed(root + QStringLiteral("/seed/"))
        , m_data(root + QStringLiteral("/DataFiles/"))
        , m_historyRows(historyRows)
    {}

    bool seed();
    void aveCostClick();
    void aveCostSplit();
    void historyAppends();

private:
    struct SplitTimes
    {
        double find = 0, filter = 0, read = 0, rule = 0, calc = 0, write = 0, loop = 0;
    };
    SplitTimes oneSplitRun();
    bool resetData(const QString &historySeed);
    // Appends one history record per repeat after one not counted; wall and CPU medians.
    std::pair<double, double> timeAppends(int historyRows);
    qint64 historyRowsOnDisk() const;
    void checkSummary();

    QString m_seed;
    QString m_data;
    int m_historyRows;
    std::vector<Holding> m_holdings;
    double m_clickMs = 0;
    double m_startMs = 0; // with the small history
};

QString smallHistoryName()
{
    return QStringLiteral("History-small.cds");
}

QString bigHistoryName()
{
    return QStringLiteral("History-big.cds");
}

bool Bench::seed()
{
    QElapsedTimer timer;
    timer.start();
    m_holdings = makeHoldings();
    QDir().mkpath(m_seed);
    const std::vector<SeedHolding> seeds = seedHoldings(m_holdings);
    const bool ok = writeAccounts(m_seed + TableFileName::Accounts,
                                  {{kMainAccount, "Brokerage", "Main trading account"},
                                   {kOtherAccount, "Retirement", "Funds held for retirement"}},
                                  seeds)
                    && writeSummary(m_seed + TableFileName::Summary, seeds)
                    && writePurchases(m_seed + TableFileName::Purchases, m_holdings)
                    && writeHistory(m_seed + smallHistoryName(), seeds, kSmallHistory, kSeed + 1)
                    && writeHistory(m_seed + bigHistoryName(), seeds, m_historyRows, kSeed + 1);
    if (ok) {
        std::printf("  seeded in %.1f s: Purchases.cds %.1f MB, History.cds %.1f MB (%s rows)\n",
                    timer.nsecsElapsed() / 1e9,
                    QFileInfo(m_seed + TableFileName::Purchases).size() / 1e6,
                    QFileInfo(m_seed + bigHistoryName()).size() / 1e6,
                    qPrintable(thousands(m_historyRows)));
    }
    return ok;
}

bool Bench::resetData(const QString &historySeed)
{
    QDir(m_data).removeRecursively();
    QDir().mkpath(m_data);
    for (const QString &name : {QString(TableFileName::Accounts),
                                QString(TableFileName::Summary),
                                QString(TableFileName::Purchases)}) {
        if (!QFile::copy(m_seed + name, m_data + name))
            return false;
    }
    return QFile::copy(m_seed + historySeed, m_data + TableFileName::History);
}

void Bench::aveCostClick()
{
    std::vector<double> clicks, starts, after;
    for (int run = 0; run < kClickRuns; ++run) {
        if (!resetData(smallHistoryName())) {
            std::fprintf(stderr, "could not copy the seeded tables\n");
            return;
        }
        starts.push_back(startWindows());
        if (run == 0) {
            checkLine(Tillwick1->CURRENT_ACCOUNT == kMainAccount,
                      QStringLiteral("start account is %1, the lowest number with holdings (%2)")
                              .arg(Tillwick1->CURRENT_ACCOUNT, kMainAccount));
        }
        if (!chooseAccount(kMainAccount)) {
            std::fprintf(stderr, "could not choose account %s\n", qPrintable(kMainAccount));
            stopWindows();
            return;
        }
        QElapsedTimer timer;
        timer.start();
        Tillwick1->TClcAveCstClick();
        clicks.push_back(msSince(timer));
        timer.restart();
        QCoreApplication::processEvents();
        after.push_back(msSince(timer));
        if (run == 0)
            checkSummary();
        stopWindows();
    }
    const double clickMs = median(clicks);
    figure(QStringLiteral("Start-up with %1 transactions, %2 history rows (median of %3)")
                   .arg(thousands(kHoldings * kTransactionsPerHolding + kOtherHoldings * kOtherTransactions),
                        thousands(kSmallHistory))
                   .arg(kClickRuns),
           ms(median(starts)));
    figure(QStringLiteral("Ave Cost click, %1 holdings x %2 transactions (median of %3)")
                   .arg(kHoldings)
                   .arg(thousands(kTransactionsPerHolding))
                   .arg(kClickRuns),
           ms(clickMs));
    QStringList runs;
    for (double c : clicks)
        runs << QString::number(c, 'f', 0);
    figure(QStringLiteral("  the runs: %1 ms").arg(runs.join(QStringLiteral(", "))), {});
    figure(QStringLiteral("  per holding"), ms(clickMs / kHoldings));
    figure(QStringLiteral("  events left after the click"), ms(median(after)));
    m_clickMs = clickMs;
    m_startMs = median(starts);
}

void Bench::checkSummary()
{
    TableStore s(summaryFields());
    s.setFileName(m_data + TableFileName::Summary);
    if (!s.open()) {
        checkLine(false, QStringLiteral("Summary.cds could not be read: %1").arg(s.lastError()));
        return;
    }
    const int account = s.fieldIndex(u"AccountNo"), symbol = s.fieldIndex(u"Symbol"),
              quantity = s.fieldIndex(u"Quantity"), aveCost = s.fieldIndex(u"AveCost"),
              price = s.fieldIndex(u"Price"), extension = s.fieldIndex(u"Extension");
    int found = 0, changed = 0, exact = 0, inRange = 0, extensionsRight = 0, othersKept = 0;
    QString example;
    for (const Holding &h : m_holdings) {
        int row = 0;
        while (row < s.rowsShown()
               && !(s.valueAt(row, account).toString() == h.account
                    && s.valueAt(row, symbol).toString() == h.symbol))
            ++row;
        if (row == s.rowsShown())
            continue;
        ++found;
        const double q = s.valueAt(row, quantity).toDouble();
        const double a = s.valueAt(row, aveCost).toDouble();
        const bool same = q == h.seededQuantity && a == h.seededAveCost;
        if (h.account != kMainAccount) {
            othersKept += same;
            continue;
        }
        changed += !same;
        const AverageCostResult want = averageCost(h.lines);
        exact += std::abs(q - h.heldQuantity) < 1e-6
                 && std::abs(a - want.average) <= 1e-9 * std::abs(want.average);
        inRange += a >= h.lowestPaid * 0.5 && a <= h.highestPaid;
        extensionsRight
                += std::abs(s.valueAt(row, extension).toDouble() - q * s.valueAt(row, price).toDouble())
                   <= 1e-6 * std::abs(q * h.price);
        if (example.isEmpty()) {
            example = QStringLiteral(
                              "%1: %2 shares at an average cost of %3 (seeded %4 at %5); paid %6 to %7")
                              .arg(h.symbol)
                              .arg(q, 0, 'f', 0)
                              .arg(a, 0, 'f', 4)
                              .arg(h.seededQuantity, 0, 'f', 0)
                              .arg(h.seededAveCost, 0, 'f', 2)
                              .arg(h.lowestPaid, 0, 'f', 2)
                              .arg(h.highestPaid, 0, 'f', 2);
        }
    }
    const int total = int(m_holdings.size());
    checkLine(found == total,
              QStringLiteral("Summary.cds holds %1 of the %2 holdings").arg(found).arg(total));
    checkLine(
            changed == kHoldings,
            QStringLiteral("the click changed %1 of %2 holdings in Summary.cds").arg(changed).arg(kHoldings));
    checkLine(exact == kHoldings,
              QStringLiteral("%1 of %2 have the quantity the transactions add up to and the average "
                             "averageCost() gives them")
                      .arg(exact)
                      .arg(kHoldings));
    checkLine(inRange == kHoldings,
              QStringLiteral("%1 of %2 averages lie between half the lowest and the highest price paid "
                             "(a last split halves it)")
                      .arg(inRange)
                      .arg(kHoldings));
    checkLine(extensionsRight == kHoldings,
              QStringLiteral("%1 of %2 extensions are quantity x price").arg(extensionsRight).arg(kHoldings));
    checkLine(othersKept == kOtherHoldings,
              QStringLiteral("%1 of %2 holdings of the other account left as they were")
                      .arg(othersKept)
                      .arg(kOtherHoldings));
    if (!example.isEmpty())
        g_checks.push_back(QStringLiteral("        e.g. ") + example);
}

// The click's own loop, step by step, to see where its time goes.
Bench::SplitTimes Bench::oneSplitRun()
{
    SplitTimes t;
    if (!resetData(smallHistoryName()))
        return t;
    startWindows();
    if (!chooseAccount(kMainAccount)) {
        stopWindows();
        return t;
    }
    TTillwick1 *w = Tillwick1;
    TableStore &holdings = *w->ClientDataSet1;
    TableStore &transactions = *w->ClientDataSet2;
    holdings.setFilter(accountFilter(w->CURRENT_ACCOUNT));
    holdings.first();
    const int accountField = holdings.fieldIndex(u"AccountNo");
    const int symbolField = holdings.fieldIndex(u"Symbol");
    QList<std::pair<QString, QString>> list;
    for (int row = 0; row < holdings.rowsShown(); ++row)
        list.append({holdings.valueAt(row, accountField).toString(),
                     holdings.valueAt(row, symbolField).toString()});

    const int transaction = transactions.fieldIndex(u"Transaction");
    const int quantity = transactions.fieldIndex(u"Quantity");
    const int price = transactions.fieldIndex(u"Price");
    QElapsedTimer all;
    all.start();
    w->SKIP_FLG = true;
    for (const auto &[account, symbol] : std::as_const(list)) {
        QElapsedTimer timer;
        timer.start();
        int row = 0;
        while (row < holdings.rowsShown()
               && !(holdings.valueAt(row, accountField).toString() == account
                    && holdings.valueAt(row, symbolField).toString() == symbol))
            ++row;
        holdings.setRecNo(row);
        t.find += msSince(timer);
        timer.restart();
        transactions.setFilter(holdingFilter(account, symbol));
        transactions.first();
        t.filter += msSince(timer);
        // The rows as CalcAveCost reads them, read once more here to time that part alone.
        timer.restart();
        QList<TransactionLine> lines;
        lines.reserve(transactions.rowsShown());
        for (int r = 0; r < transactions.rowsShown(); ++r) {
            lines.append({transactions.valueAt(r, transaction).toString(),
                          transactions.valueAt(r, quantity).toDouble(),
                          transactions.valueAt(r, price).toDouble()});
        }
        t.read += msSince(timer);
        timer.restart();
        w->CalcAveCost();
        t.calc += msSince(timer);
    }
    w->SKIP_FLG = false;
    QElapsedTimer timer;
    timer.start();
    holdings.write();
    t.write = msSince(timer);
    t.loop = msSince(all) - t.read;
    stopWindows();

    // The rule alone, on the same lines.
    timer.restart();
    for (const Holding &h : m_holdings) {
        if (h.account == kMainAccount)
            g_sink = g_sink + averageCost(h.lines).average;
    }
    t.rule = msSince(timer);
    return t;
}

void Bench::aveCostSplit()
{
    std::vector<SplitTimes> runs;
    for (int run = 0; run < kSplitRuns; ++run)
        runs.push_back(oneSplitRun());
    const auto med = [&runs](double SplitTimes::*part) {
        std::vector<double> v;
        for (const SplitTimes &t : runs)
            v.push_back(t.*part);
        return median(v);
    };
    const double loop = med(&SplitTimes::loop);
    const double calc = med(&SplitTimes::calc);
    const double read = med(&SplitTimes::read);
    const double rule = med(&SplitTimes::rule);
    const auto part = [loop](const QString &what, double value) {
        figure(what, ms(value), share(value, loop));
    };
    figure(QStringLiteral("Ave Cost, the same loop step by step (median of %1)").arg(kSplitRuns),
           ms(loop),
           times(loop / m_clickMs));
    part(QStringLiteral("  find holding + setRecNo, 100x"), med(&SplitTimes::find));
    part(QStringLiteral("  filter transactions to the holding, 100x"), med(&SplitTimes::filter));
    part(QStringLiteral("  CalcAveCost(), 100x"), calc);
    part(QStringLiteral("    of which reading 1,000 rows through valueAt (timed apart)"), read);
    part(QStringLiteral("    of which the averageCost() rule (timed apart)"), rule);
    part(QStringLiteral("    the rest: posts, status labels and the repaints they force"),
         calc - read - rule);
    part(QStringLiteral("  write Summary.cds"), med(&SplitTimes::write));
}

qint64 Bench::historyRowsOnDisk() const
{
    return rowsInTableFile(m_data + TableFileName::History);
}

std::pair<double, double> Bench::timeAppends(int historyRows)
{
    const QString what = QStringLiteral("history records written at %1 rows").arg(thousands(historyRows));
    std::vector<double> wall, cpu;
    for (int i = 0; i <= kAppendRepeats; ++i) {
        const double cpuStart = threadCpuMs();
        QElapsedTimer timer;
        timer.start();
        Tillwick1->AddHistoryRecord();
        if (i > 0) {
            wall.push_back(msSince(timer));
            cpu.push_back(threadCpuMs() - cpuStart);
        }
        QCoreApplication::processEvents();
    }
    const qint64 onDisk = historyRowsOnDisk();
    checkLine(onDisk == historyRows + kAppendRepeats + 1,
              QStringLiteral("%1: History.cds holds %2 rows, %3 expected")
                      .arg(what, thousands(onDisk), thousands(historyRows + kAppendRepeats + 1)));
    return {median(wall), median(cpu)};
}

void Bench::historyAppends()
{
    if (!resetData(smallHistoryName()))
        return;
    startWindows();
    if (!chooseAccount(kMainAccount)) {
        stopWindows();
        return;
    }
    const auto [smallMs, smallCpu] = timeAppends(kSmallHistory);
    stopWindows();

    if (!resetData(bigHistoryName()))
        return;
    QElapsedTimer timer;
    timer.start();
    const double startMs = startWindows();
    const double shownMs = msSince(timer);
    if (!chooseAccount(kMainAccount)) {
        stopWindows();
        return;
    }
    const auto [bigMs, bigCpu] = timeAppends(m_historyRows);
    timer.restart();
    stopWindows();
    const double stopMs = msSince(timer);

    figure(QStringLiteral("History append + write at %1 rows (median of %2)")
                   .arg(thousands(kSmallHistory))
                   .arg(kAppendRepeats),
           ms(smallMs));
    figure(QStringLiteral("History append + write at %1 rows (median of %2)")
                   .arg(thousands(m_historyRows))
                   .arg(kAppendRepeats),
           ms(bigMs),
           times(bigMs / smallMs));
    figure(QStringLiteral("  CPU time of it at %1 rows").arg(thousands(kSmallHistory)), ms(smallCpu));
    figure(QStringLiteral("  CPU time of it at %1 rows").arg(thousands(m_historyRows)),
           ms(bigCpu),
           times(bigCpu / smallCpu));
    figure(QStringLiteral("Start-up with %1 history rows (CreateWindows + show)")
                   .arg(thousands(m_historyRows)),
           ms(startMs),
           times(startMs / m_startMs));
    figure(QStringLiteral("  the same up to the first events handled"), ms(shownMs));
    figure(QStringLiteral("  shutdown (close + DestroyWindows)"), ms(stopMs));
}

} // namespace

int main(int argc, char *argv[])
{
    prepareBenchEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tillwick"));

    const int historyRows = historyRowsArgument(argc, argv, 1000000, kSmallHistory, "bench_ledger");
    if (historyRows < 0)
        return 2;
    const BenchFolder dir("Ledger benchmark");
    if (!dir.isValid())
        return 1;
    guardModalBoxes(&app);
    Bench bench(dir.path(), historyRows);
    int code = 1;
    if (bench.seed()) {
        bench.aveCostClick();
        bench.aveCostSplit();
        bench.historyAppends();
        if (g_boxes > 0)
            checkLine(false,
                      QStringLiteral("%1 message boxes were raised and closed (see above)").arg(g_boxes));
        printTable();
        std::printf("\nRatios: the step-by-step loop to the click, its parts to the loop; the append and the "
                    "start-up at %s history rows to the same at %s.\n",
                    qPrintable(thousands(historyRows)),
                    qPrintable(thousands(kSmallHistory)));
        code = 0;
    }
    return code;
}
