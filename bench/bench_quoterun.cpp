// Speed of the Quote button in the real main window: one account of 100 holdings against a quote
// site on loopback that answers every page after 100 ms, half the symbols found on the first
// exchange suffix and half on the third. The run with the default number of lookups at once and
// one at a time, and the longest the window went without handling its events meanwhile. Prints a
// table; a missed goal is reported, never treated as a failure.
//
// Usage: bench_quoterun [history rows]   (default 1000000, as bench_ledger)
#include "BenchNames.h"
#include "BenchSupport.h"
#include "binding/StringGrid.h"
#include "support/LoopbackHttpServer.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMetaEnum>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr int kHoldings = 100;
constexpr int kAnswerDelayMs = 100;
constexpr int kTickMs = 5;
constexpr double kGapGoalMs = 50;
constexpr double kSpeedUpGoal = 4;
constexpr int kDefaultHistoryRows = 1000000;
constexpr int kDefaultRuns = 3; // the one-at-a-time run takes 20 s, so it runs once
constexpr quint32 kSeed = 20240612;

const QString kAccount = QStringLiteral("30512877");

// A holding and what the quote site says of it.
struct Quoted
{
    SeedHolding holding;
    QString priceText;
    bool onFirstSuffix = true;
};

std::vector<Quoted> makeQuotes()
{
    QRandomGenerator rng(kSeed);
    std::vector<Quoted> quotes;
    for (int i = 0; i < kHoldings; ++i) {
        const QString first = QString::fromLatin1(kNameFirstWords[i / 10]);
        const QString last = QString::fromLatin1(kNameLastWords[i % 10]);
        Quoted q;
        q.holding.account = kAccount;
        q.holding.symbol = (first.left(3) + last.left(1)).toUpper();
        q.holding.name = first + QLatin1Char(' ') + last;
        q.holding.quantity = 10 + rng.bounded(490);
        q.holding.price = std::round((8.0 + rng.generateDouble() * 240.0) * 100.0) / 100.0;
        q.holding.aveCost = std::round(q.holding.price * (0.7 + rng.generateDouble() * 0.5) * 100.0) / 100.0;
        const double today = q.holding.price * (1.0 + (rng.generateDouble() - 0.5) * 0.06);
        q.priceText = QString::number(std::max(0.01, std::round(today * 100.0) / 100.0), 'f', 2);
        q.onFirstSuffix = i % 2 == 0; // the two kinds alternate through the run
        quotes.push_back(q);
    }
    return quotes;
}

QByteArray pageTarget(const QString &symbol, const char *suffix)
{
    return "/finance/quote/" + symbol.toLower().toLatin1() + suffix;
}

QByteArray markerPage(const QString &price)
{
    return "<html><body><div class=\"q\" data-last-price=\"" + price.toLatin1()
           + "\" data-x=\"1\">quote</div></body></html>";
}

int expectedRequests(const std::vector<Quoted> &quotes)
{
    int n = 0;
    for (const Quoted &q : quotes)
        n += q.onFirstSuffix ? 1 : 3;
    return n;
}

// The quote site runs on a thread of its own so its answers keep time however busy the window is.
class QuoteSite
{
public:
    explicit QuoteSite(const std::vector<Quoted> &quotes)
    {
        m_context.moveToThread(&m_thread);
        m_thread.start();
        inThread([this, &quotes] {
            m_server = new LoopbackHttpServer;
            m_base = m_server->baseUrl();
            LoopbackHttpServer::Route route;
            route.delayMs = kAnswerDelayMs;
            for (const Quoted &q : quotes) {
                const QString &symbol = q.holding.symbol;
                route.body = markerPage(q.priceText);
                if (q.onFirstSuffix) {
                    m_server->setRoute(pageTarget(symbol, ":NYSE"), route);
                    continue;
                }
                m_server->setRoute(pageTarget(symbol, ":MUTF"), route);
                route.body = "<html><body><div class=\"q\">no quote here</div></body></html>";
                m_server->setRoute(pageTarget(symbol, ":NYSE"), route);
                m_server->setRoute(pageTarget(symbol, ":NASDAQ"), route);
            }
        });
    }

    ~QuoteSite()
    {
        inThread([this] { delete m_server; });
        m_thread.quit();
        m_thread.wait();
    }

    QUrl baseUrl() const { return m_base; }

    QList<QByteArray> requestedTargets()
    {
        QList<QByteArray> targets;
        inThread([this, &targets] { targets = m_server->requestedTargets(); });
        return targets;
    }

    int maxConcurrent()
    {
        int most = 0;
        inThread([this, &most] { most = m_server->maxConcurrent(); });
        return most;
    }

    void clearRecord()
    {
        inThread([this] { m_server->clearRecord(); });
    }

private:
    template<typename F>
    void inThread(F f)
    {
        QMetaObject::invokeMethod(&m_context, f, Qt::BlockingQueuedConnection);
    }

    QThread m_thread;
    QObject m_context;
    LoopbackHttpServer *m_server = nullptr;
    QUrl m_base;
};

// What the window was doing, by the moment: marks the program's own signals and any slow event
// leave, so a long gap between timer ticks can be matched against them afterwards.
enum class Step { HoldingEdited, HoldingPosted, HistoryAppended, HistoryPosted, GridsLaidOut, Event };

QString stepText(Step step)
{
    switch (step) {
    case Step::HoldingEdited:
        return QStringLiteral("holding edited (its page was read)");
    case Step::HoldingPosted:
        return QStringLiteral("holding posted");
    case Step::HistoryAppended:
        return QStringLiteral("history row appended");
    case Step::HistoryPosted:
        return QStringLiteral("history row posted, History.cds written next");
    case Step::GridsLaidOut:
        return QStringLiteral("grids laid out (History.cds written; also at the start)");
    case Step::Event:
        break;
    }
    return {};
}

struct Mark
{
    double at = 0; // ms since the trail started
    Step step = Step::Event;
    QString event; // Step::Event: which, and how long its own handling took
};

struct Trail
{
    bool on = false;
    QElapsedTimer clock;
    std::vector<Mark> marks;
    std::vector<double> childMs; // per event being delivered, the time of the events inside it

    double now() const { return msSince(clock); }
    void mark(Step step)
    {
        if (on)
            marks.push_back({now(), step, {}});
    }
};

Trail g_trail;

// Notes every event whose own handling (events inside it not counted) took longer than a tick.
class WatchedApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        // Other threads (the quote site, Qt's HTTP thread) deliver events here too.
        if (!g_trail.on || QThread::currentThread() != thread())
            return QApplication::notify(receiver, event);
        const double start = g_trail.now();
        const QEvent::Type type = event->type();
        const char *className = receiver->metaObject()->className(); // the receiver may not outlive it
        g_trail.childMs.push_back(0);
        const bool result = QApplication::notify(receiver, event);
        const double took = g_trail.now() - start;
        const double own = took - g_trail.childMs.back();
        g_trail.childMs.pop_back();
        if (!g_trail.childMs.empty())
            g_trail.childMs.back() += took;
        if (own > kTickMs) {
            g_trail.marks.push_back(
                    {start,
                     Step::Event,
                     QStringLiteral("%1 event to a %2, handled in %3 ms")
                             .arg(QLatin1String(QMetaEnum::fromType<QEvent::Type>().valueToKey(type)),
                                  QLatin1String(className))
                             .arg(own, 0, 'f', 0)});
        }
        return result;
    }
};

struct Gap
{
    double from = 0;
    double to = 0;
    double length() const { return to - from; }
};

// The longest the window went without handling its events: a timer of 5 ms notes the intervals
// between its ticks.
class GapWatch
{
public:
    GapWatch()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kTickMs);
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { tick(); });
    }

    void start()
    {
        m_gaps.clear();
        m_last = g_trail.now();
        m_timer.start();
    }

    void stop()
    {
        tick();
        m_timer.stop();
    }

    // Every interval longer than twice the tick, longest first.
    std::vector<Gap> gaps() const
    {
        std::vector<Gap> sorted = m_gaps;
        std::sort(sorted.begin(), sorted.end(), [](const Gap &a, const Gap &b) {
            return a.length() > b.length();
        });
        return sorted;
    }

private:
    void tick()
    {
        const double now = g_trail.now();
        if (now - m_last > 2 * kTickMs)
            m_gaps.push_back({m_last, now});
        m_last = now;
    }

    QTimer m_timer;
    double m_last = 0;
    std::vector<Gap> m_gaps;
};

struct RunResult
{
    double wallMs = 0;
    int requests = 0;
    int repeatedTargets = 0; // a page asked for more than once
    int walksAsExpected = 0; // holdings whose pages were exactly the walk's
    int maxConcurrent = 0;
    std::map<QString, double> prices; // Summary.cds after the run
    qint64 historyAdded = -1;
    std::vector<Gap> gaps;
    std::vector<Mark> marks; // in time order
    // Per holding, from the trail: the holding's post to its history row appended, and the
    // history row's post to the grids laid out after History.cds was written.
    std::vector<double> toAppend;
    std::vector<double> historyWrite;

    double worstGap() const { return gaps.empty() ? 0 : gaps.front().length(); }
};

void measureSteps(RunResult &r)
{
    double posted = -1, historyPosted = -1;
    for (const Mark &m : r.marks) {
        if (m.step == Step::HoldingPosted) {
            posted = m.at;
        } else if (m.step == Step::HistoryAppended && posted >= 0) {
            r.toAppend.push_back(m.at - posted);
            posted = -1;
        } else if (m.step == Step::HistoryPosted) {
            historyPosted = m.at;
        } else if (m.step == Step::GridsLaidOut && historyPosted >= 0) {
            r.historyWrite.push_back(m.at - historyPosted);
            historyPosted = -1;
        }
    }
}

class Bench
{
public:
    Bench(const QString &root, int historyRows)
        : m_seed(root + QStringLiteral("/seed/"))
        , m_data(root + QStringLiteral("/DataFiles/"))
        , m_historyRows(historyRows)
        , m_quotes(makeQuotes())
    {}

    bool seed();
    // One quote run of the account on fresh tables; lookups 0 keeps the program's own setting.
    RunResult run(QuoteSite &site, int lookups);
    void report(const std::vector<RunResult> &many, const RunResult &one);
    const std::vector<Quoted> &quotes() const { return m_quotes; }

private:
    bool resetData();
    void hookTrail();
    std::map<QString, double> pricesOnDisk() const;
    void checkRequests(const QList<QByteArray> &targets, RunResult &r) const;
    void checkRun(const QString &name, const RunResult &r);
    void describeGaps(const QString &run, const RunResult &r);

    QString m_seed;
    QString m_data;
    int m_historyRows;
    std::vector<Quoted> m_quotes;
};

bool Bench::seed()
{
    QElapsedTimer timer;
    timer.start();
    std::vector<SeedHolding> holdings;
    for (const Quoted &q : m_quotes)
        holdings.push_back(q.holding);
    QDir().mkpath(m_seed);
    const bool ok = writeAccounts(m_seed + TableFileName::Accounts,
                                  {{kAccount, "Brokerage", "Main trading account"}},
                                  holdings)
                    && writeSummary(m_seed + TableFileName::Summary, holdings)
                    && writeHistory(m_seed + TableFileName::History, holdings, m_historyRows, kSeed + 1);
    if (ok) {
        std::printf("  seeded in %.1f s: %d holdings, History.cds %s rows\n",
                    timer.nsecsElapsed() / 1e9,
                    kHoldings,
                    qPrintable(thousands(m_historyRows)));
        std::fflush(stdout);
    }
    return ok;
}

bool Bench::resetData()
{
    QDir(m_data).removeRecursively();
    QDir().mkpath(m_data);
    for (const QString &name : {QString(TableFileName::Accounts),
                                QString(TableFileName::Summary),
                                QString(TableFileName::History)}) {
        if (!QFile::copy(m_seed + name, m_data + name))
            return false;
    }
    return true;
}

void Bench::hookTrail()
{
    TableStore *holdings = Tillwick1->ClientDataSet1;
    TableStore *history = Tillwick1->ClientDataSet3;
    QObject::connect(holdings, &TableStore::stateChanged, holdings, [](TableStore::State state) {
        if (state == TableStore::State::Edit)
            g_trail.mark(Step::HoldingEdited);
        else if (state == TableStore::State::Browse)
            g_trail.mark(Step::HoldingPosted);
    });
    QObject::connect(history, &TableStore::stateChanged, history, [](TableStore::State state) {
        if (state == TableStore::State::Insert)
            g_trail.mark(Step::HistoryAppended);
        else if (state == TableStore::State::Browse)
            g_trail.mark(Step::HistoryPosted);
    });
    // The holdings grid's headers are set again by every SetupAllGrids().
    QAbstractItemModel *grid = Tillwick1->StringGrid1->model();
    QObject::connect(
            grid, &QAbstractItemModel::headerDataChanged, grid, [] { g_trail.mark(Step::GridsLaidOut); });
}

std::map<QString, double> Bench::pricesOnDisk() const
{
    std::map<QString, double> prices;
    TableStore s(summaryFields());
    s.setFileName(m_data + TableFileName::Summary);
    if (!s.open())
        return prices;
    const int symbol = s.fieldIndex(u"Symbol"), price = s.fieldIndex(u"Price");
    for (int row = 0; row < s.rowsShown(); ++row)
        prices[s.valueAt(row, symbol).toString()] = s.valueAt(row, price).toDouble();
    return prices;
}

void Bench::checkRequests(const QList<QByteArray> &targets, RunResult &r) const
{
    r.requests = int(targets.size());
    QHash<QByteArray, int> asked;
    for (const QByteArray &t : targets)
        ++asked[t];
    for (int n : std::as_const(asked))
        r.repeatedTargets += n - 1;
    for (const Quoted &q : m_quotes) {
        const QString &symbol = q.holding.symbol;
        const auto once = [&asked, &symbol](const char *suffix) {
            return asked.value(pageTarget(symbol, suffix)) == 1;
        };
        const auto never = [&asked, &symbol](const char *suffix) {
            return !asked.contains(pageTarget(symbol, suffix));
        };
        r.walksAsExpected
                += q.onFirstSuffix ? once(":NYSE") && never(":NASDAQ")
                                   : once(":NYSE") && once(":NASDAQ") && once(":MUTF") && never(":NYSEARCA");
    }
}

RunResult Bench::run(QuoteSite &site, int lookups)
{
    RunResult r;
    if (!resetData()) {
        std::fprintf(stderr, "could not copy the seeded tables\n");
        return r;
    }
    const qint64 historyBefore = rowsInTableFile(m_data + TableFileName::History);
    startWindows();
    if (!chooseAccount(kAccount)) {
        std::fprintf(stderr, "could not choose account %s\n", qPrintable(kAccount));
        stopWindows();
        return r;
    }
    if (!Tillwick1->RDHIST2->isChecked())
        std::fprintf(stderr, "history on quote is off: the run writes no history\n");
    if (lookups > 0)
        Tillwick1->setQuoteConcurrency(lookups);
    hookTrail();
    site.clearRecord();

    GapWatch watch;
    g_trail.marks.clear();
    g_trail.clock.start();
    g_trail.on = true;
    watch.start();
    QElapsedTimer timer;
    timer.start();
    Tillwick1->TQuoteBtn->click(); // returns when the run is over
    r.wallMs = msSince(timer);
    watch.stop();
    g_trail.on = false;
    r.gaps = watch.gaps();
    r.marks = std::move(g_trail.marks);
    // A slow event is marked when it ends, at the time it began.
    std::stable_sort(
            r.marks.begin(), r.marks.end(), [](const Mark &a, const Mark &b) { return a.at < b.at; });
    measureSteps(r);

    checkRequests(site.requestedTargets(), r);
    r.maxConcurrent = site.maxConcurrent();
    stopWindows();
    r.prices = pricesOnDisk();
    r.historyAdded = rowsInTableFile(m_data + TableFileName::History) - historyBefore;
    return r;
}

// The worst gaps of a run and the marks inside them.
void Bench::describeGaps(const QString &run, const RunResult &r)
{
    const size_t shown = std::min<size_t>(r.gaps.size(), 3);
    for (size_t k = 0; k < shown; ++k) {
        const Gap &g = r.gaps[k];
        std::printf("\n%s, gap %zu: %.0f ms, from %.0f ms into the run (of %.0f ms); marks by then:\n",
                    qPrintable(run),
                    k + 1,
                    g.length(),
                    g.from,
                    r.wallMs);
        // Repeats of one mark are folded into one line.
        int shownMarks = 0;
        QString last;
        for (const Mark &m : r.marks) {
            if (m.at < g.from || m.at > g.to)
                continue;
            const QString what = m.step == Step::Event ? m.event : stepText(m.step);
            if (what != last)
                std::printf("    +%6.1f ms  %s\n", m.at - g.from, qPrintable(what));
            last = what;
            ++shownMarks;
        }
        if (shownMarks == 0)
            std::printf(
                    "    (none: the run's own code between two event loops, or the process off the CPU)\n");
    }
}

void Bench::checkRun(const QString &name, const RunResult &r)
{
    const int want = expectedRequests(m_quotes);
    int priced = 0;
    for (const Quoted &q : m_quotes) {
        const auto it = r.prices.find(q.holding.symbol);
        priced += it != r.prices.end() && std::abs(it->second - q.priceText.toDouble()) < 1e-9;
    }
    checkLine(priced == kHoldings && r.historyAdded == kHoldings,
              QStringLiteral("%1: %2 of %3 holdings have the site's price in Summary.cds; %4 history "
                             "records written")
                      .arg(name)
                      .arg(priced)
                      .arg(kHoldings)
                      .arg(r.historyAdded));
    checkLine(r.requests == want && r.walksAsExpected == kHoldings && r.repeatedTargets == 0,
              QStringLiteral("%1: %2 requests of %3 (%4 x 1 + %4 x 3); %5 of %6 holdings walked exactly "
                             "their suffixes; %7 pages asked twice")
                      .arg(name)
                      .arg(r.requests)
                      .arg(want)
                      .arg(kHoldings / 2)
                      .arg(r.walksAsExpected)
                      .arg(kHoldings)
                      .arg(r.repeatedTargets));
}

void Bench::report(const std::vector<RunResult> &many, const RunResult &one)
{
    const int want = expectedRequests(m_quotes);
    const double bound = want * double(kAnswerDelayMs);
    std::vector<double> walls;
    QStringList wallTexts;
    int concurrent = 0;
    const RunResult *worst = &many.front();
    for (const RunResult &r : many) {
        walls.push_back(r.wallMs);
        wallTexts << QString::number(r.wallMs, 'f', 0);
        concurrent = std::max(concurrent, r.maxConcurrent);
        if (r.worstGap() > worst->worstGap())
            worst = &r;
    }
    const double wall = median(walls);
    const double speedUp = wall > 0 ? one.wallMs / wall : 0;
    figure(QStringLiteral("Quote run, %1 holdings, default lookups at once (median of %2)")
                   .arg(kHoldings)
                   .arg(many.size()),
           ms(wall),
           times(bound / wall));
    figure(QStringLiteral("  the runs: %1 ms").arg(wallTexts.join(QStringLiteral(", "))), {});
    figure(QStringLiteral("  most requests the site had open at once"), QString::number(concurrent));
    if (concurrent > 0) {
        figure(QStringLiteral("  floor at that many: requests x %1 ms / %2")
                       .arg(kAnswerDelayMs)
                       .arg(concurrent),
               ms(bound / concurrent),
               times(wall / (bound / concurrent)));
    }
    figure(QStringLiteral("Quote run, one at a time"), ms(one.wallMs), times(bound / one.wallMs));
    figure(QStringLiteral("  one-at-a-time bound: %1 requests x %2 ms").arg(want).arg(kAnswerDelayMs),
           ms(bound));
    figure(QStringLiteral("  over the bound, per holding"), ms((one.wallMs - bound) / kHoldings));
    figure(QStringLiteral("Speed-up, default to one at a time (goal: at least %1x)")
                   .arg(kSpeedUpGoal, 0, 'f', 0),
           times(speedUp),
           speedUp >= kSpeedUpGoal ? QStringLiteral("met") : QStringLiteral("MISSED"));

    const auto gapFigures = [](const QString &name, const RunResult &r) {
        int over = 0;
        for (const Gap &g : r.gaps)
            over += g.length() > kGapGoalMs;
        figure(QStringLiteral("Longest gap between window events, %1 (goal: %2 ms at most)")
                       .arg(name)
                       .arg(kGapGoalMs, 0, 'f', 0),
               ms(r.worstGap()),
               r.worstGap() <= kGapGoalMs ? QStringLiteral("met") : QStringLiteral("MISSED"));
        figure(QStringLiteral("  gaps over %1 ms in that run").arg(kGapGoalMs, 0, 'f', 0),
               QString::number(over));
        if (r.gaps.size() > 1)
            figure(QStringLiteral("  the second longest"), ms(r.gaps[1].length()));
    };
    gapFigures(QStringLiteral("default, worst run"), *worst);
    gapFigures(QStringLiteral("one at a time"), one);

    // What each holding costs the window, from the trail of every run.
    std::vector<double> firstAppend, laterAppend, writes;
    std::vector<const RunResult *> all;
    for (const RunResult &r : many)
        all.push_back(&r);
    all.push_back(&one);
    for (const RunResult *r : all) {
        if (!r->toAppend.empty()) {
            firstAppend.push_back(r->toAppend.front());
            laterAppend.insert(laterAppend.end(), r->toAppend.begin() + 1, r->toAppend.end());
        }
        writes.insert(writes.end(), r->historyWrite.begin(), r->historyWrite.end());
    }
    figure(QStringLiteral("Holding posted to its history row appended, first of a run (median)"),
           ms(median(firstAppend)));
    figure(QStringLiteral("  the same, the other holdings (median)"), ms(median(laterAppend)));
    figure(QStringLiteral("History row posted to grids laid out: History.cds written, per holding (median)"),
           ms(median(writes)));
    figure(QStringLiteral("  the slowest of %1").arg(writes.size()),
           ms(writes.empty() ? 0 : *std::max_element(writes.begin(), writes.end())));
    figure(QStringLiteral("  all of them, one run's worth (%1 holdings)").arg(kHoldings),
           ms(median(writes) * kHoldings),
           times(median(writes) * kHoldings / wall));

    for (size_t k = 0; k < many.size(); ++k)
        checkRun(QStringLiteral("default run %1").arg(k + 1), many[k]);
    checkRun(QStringLiteral("one at a time"), one);
    int same = 0;
    for (const Quoted &q : m_quotes) {
        const auto a = many.front().prices.find(q.holding.symbol);
        const auto b = one.prices.find(q.holding.symbol);
        same += a != many.front().prices.end() && b != one.prices.end() && a->second == b->second;
    }
    checkLine(same == kHoldings && many.front().prices == one.prices,
              QStringLiteral("the default and the one-at-a-time run leave the same prices: %1 of %2 holdings")
                      .arg(same)
                      .arg(kHoldings));
    if (g_boxes > 0)
        checkLine(false, QStringLiteral("%1 message boxes were raised and closed (see above)").arg(g_boxes));

    printTable();
    std::printf("\nRatios: a run's wall time against the one-at-a-time bound (about how many pages were "
                "waited for at once); the median run against the floor; one run's history writes against "
                "the median default run.\n");
    describeGaps(QStringLiteral("Default run, the worst"), *worst);
    describeGaps(QStringLiteral("One at a time"), one);
}

} // namespace

int main(int argc, char *argv[])
{
    prepareBenchEnvironment();
    WatchedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tillwick"));

    const int historyRows = historyRowsArgument(argc, argv, kDefaultHistoryRows, 0, "bench_quoterun");
    if (historyRows < 0)
        return 2;
    const BenchFolder dir("Quote run benchmark");
    if (!dir.isValid())
        return 1;
    guardModalBoxes(&app);
    Bench bench(dir.path(), historyRows);
    int code = 1;
    if (bench.seed()) {
        QuoteSite site(bench.quotes());
        qputenv("TILLWICK_QUOTE_URL", site.baseUrl().toString().toUtf8());
        std::vector<RunResult> many;
        for (int k = 0; k < kDefaultRuns; ++k) {
            many.push_back(bench.run(site, 0));
            std::printf("  default run %d: %.0f ms\n", k + 1, many.back().wallMs);
            std::fflush(stdout);
        }
        const RunResult one = bench.run(site, 1);
        bench.report(many, one);
        code = 0;
    }
    return code;
}
