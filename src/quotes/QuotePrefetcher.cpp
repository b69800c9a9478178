#include "quotes/QuotePrefetcher.h"

#include <QEventLoop>

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// Qt opens at most six HTTP/1.1 connections to one host.
constexpr int kQtConnectionsPerHost = 6;

} // namespace

QuotePrefetcher::QuotePrefetcher(HttpClient *http, const QUrl &base, QObject *parent)
    : QObject(parent)
    , m_http(http)
    , m_base(base)
{}

QuotePrefetcher::~QuotePrefetcher()
{
    cancel();
}

void QuotePrefetcher::setMaxLookups(int lookups)
{
    m_maxLookups = std::max(1, lookups);
}

void QuotePrefetcher::setMaxPerHost(int connections)
{
    m_maxPerHost = std::clamp(connections, 1, kQtConnectionsPerHost);
}

int QuotePrefetcher::concurrency() const
{
    // Every lookup of a run goes to the one quote host and holds one request at a time.
    return std::min(m_maxLookups, m_maxPerHost);
}

void QuotePrefetcher::start(const QStringList &symbolsLower)
{
    cancel();
    m_symbols = symbolsLower;
    m_next = 0;
    m_first = 0;
    pump();
}

QuoteLookupResult QuotePrefetcher::take(int index)
{
    if (index < m_first || index >= m_symbols.size() || m_waiting)
        return {};
    dropBefore(index);
    m_first = index;
    if (m_next < index)
        m_next = index;
    pump();
    if (!m_ready.contains(index) && m_running.contains(index)) {
        QEventLoop loop;
        m_waiting = &loop;
        m_waitingFor = index;
        loop.exec();
        m_waiting = nullptr;
        m_waitingFor = -1;
    }
    const QuoteLookupResult result = m_ready.take(index);
    if (m_first == index) { // not cancelled meanwhile
        m_first = index + 1;
        pump();
    }
    return result;
}

void QuotePrefetcher::cancel()
{
    const QHash<int, PriceLookup *> running = std::exchange(m_running, {});
    for (PriceLookup *lookup : running) {
        lookup->cancel();
        lookup->deleteLater();
    }
    m_ready.clear();
    m_first = m_next = int(m_symbols.size());
    if (m_waiting)
        m_waiting->quit();
}

void QuotePrefetcher::pump()
{
    while (m_next < m_symbols.size() && int(m_running.size()) < concurrency()
           && m_next < m_first + 2 * concurrency()) {
        const int index = m_next++;
        auto *lookup = new PriceLookup(m_http, m_base, m_symbols.at(index), this);
        m_running.insert(index, lookup);
        connect(lookup, &PriceLookup::finished, this, [this, index](const QuoteLookupResult &result) {
            lookupDone(index, result);
        });
        lookup->start();
    }
}

void QuotePrefetcher::lookupDone(int index, const QuoteLookupResult &result)
{
    if (PriceLookup *lookup = m_running.take(index))
        lookup->deleteLater();
    m_ready.insert(index, result);
    if (m_waiting && index == m_waitingFor)
        m_waiting->quit();
    pump();
}

void QuotePrefetcher::dropBefore(int index)
{
    for (auto it = m_running.begin(); it != m_running.end();) {
        if (it.key() < index) {
            it.value()->cancel();
            it.value()->deleteLater();
            it = m_running.erase(it);
        } else {
            ++it;
        }
    }
    for (auto it = m_ready.begin(); it != m_ready.end();)
        it = it.key() < index ? m_ready.erase(it) : std::next(it);
}
