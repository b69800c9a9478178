#pragma once

#include "quotes/PriceLookup.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

class QEventLoop;

// Runs the price lookups of a quote run ahead of it, a few at once, so the run mostly finds its
// next result waiting. Each lookup is the same walk a single lookup does.
class QuotePrefetcher : public QObject
{
    Q_OBJECT

public:
    QuotePrefetcher(HttpClient *http, const QUrl &base, QObject *parent = nullptr);
    ~QuotePrefetcher() override;

    // At most this many lookups at once. Results may wait up to twice as far ahead of take(), so a
    // slow walk at the front does not leave the other slots idle.
    void setMaxLookups(int lookups);
    // Connections to the quote host; above 6 they would only queue inside Qt.
    void setMaxPerHost(int connections);
    int concurrency() const;

    // Starts over with the symbols of a run, in the order the run takes them.
    void start(const QStringList &symbolsLower);
    // The result for the index-th symbol, waiting in a local event loop for it only. A result is
    // handed out once; anything before index that was not taken is dropped.
    QuoteLookupResult take(int index);
    // Drops everything prefetched or in flight, as on STOP; a take() waiting returns "not found".
    void cancel();
    int lookupsInFlight() const { return int(m_running.size()); }

private:
    void pump();
    void lookupDone(int index, const QuoteLookupResult &result);
    void dropBefore(int index);

    HttpClient *m_http;
    QUrl m_base;
    QStringList m_symbols;
    int m_maxLookups = 6;
    int m_maxPerHost = 6;
    int m_next = 0;  // the next index to start
    int m_first = 0; // lowest index still of use to the run
    QHash<int, PriceLookup *> m_running;
    QHash<int, QuoteLookupResult> m_ready;
    QEventLoop *m_waiting = nullptr;
    int m_waitingFor = -1;
};
