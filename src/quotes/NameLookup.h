#pragma once

#include "quotes/HttpRequest.h"

#include <QString>
#include <QUrl>

#include <optional>

class HttpClient;

// Where names come from: the name service when one is configured, else the quote pages.
struct NameSource
{
    QUrl service;
    QString token;
    QUrl quoteBase;

    static NameSource fromEnvironment();
};

struct NameLookupResult
{
    bool failed = false;         // no usable answer; the caller may ask once more
    std::optional<QString> name; // nullopt leaves the holding's name as it is
    int requests = 0;
    HttpResult last;
};

// The name for a symbol (blanks around it are dropped, its case is kept for the service). From
// the service: one GET, an answer outside 2xx counting as a failure. From the quote pages: the
// suffix walk, ending at a failure or a 404 like a price lookup.
NameLookupResult lookupName(HttpClient &http, const QString &symbol, const NameSource &source);
