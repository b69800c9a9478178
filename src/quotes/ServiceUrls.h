#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// Where the services live. Each comes from the environment so tests and private mirrors can point
// the program elsewhere; an invalid value gives an invalid URL, which sends nothing.

// Scheme and host of the quote pages: TILLWICK_QUOTE_URL, or the public host when unset.
QUrl quoteBaseUrl();
// The marker file, a full URL: TILLWICK_MARKER_URL. Empty when unset: the fetch is skipped.
QUrl markerUrl();
// The name service: TILLWICK_NAME_URL and TILLWICK_NAME_TOKEN. Empty when unset: names come
// from the quote pages.
QUrl nameServiceUrl();
QString nameServiceToken();

// Exchange suffixes of the quote pages, in the order they are tried.
const QStringList &exchangeSuffixes();
// "NASDAQ" for ":NASDAQ".
QString exchangeOfSuffix(const QString &suffix);

// base + "/finance/quote/" + symbol + suffix, the symbol percent-encoded as one path segment.
QUrl quotePageUrl(const QUrl &base, const QString &symbolLower, const QString &suffix);
// base + "/beta/stock/" + symbol + "/quote?token=" + token.
QUrl nameRequestUrl(const QUrl &base, const QString &symbol, const QString &token);
