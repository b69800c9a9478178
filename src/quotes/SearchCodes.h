#pragma once

#include <QString>
#include <QUrl>

#include <optional>

class HttpClient;

// The four quote page markers: text before and after a price, for stock and for fund pages.
struct SearchCodes
{
    QString SRCHSTCK1;
    QString SRCHSTCK2;
    QString SRCHMUTFD1;
    QString SRCHMUTFD2;

    bool operator==(const SearchCodes &) const = default;
};

SearchCodes defaultSearchCodes();

// The marker file: four fields, each followed by "@#". Blanks and control characters right after
// a separator (and at the end) are dropped, blanks before one belong to the field, a field with no
// separator after it is empty, and anything after the fourth separator is ignored.
SearchCodes parseSearchCodes(const QString &text);

// The marker file's body as text; any completed answer counts, whatever its status. nullopt when
// the request failed, or at once, without a request, for an empty or invalid url.
std::optional<QString> fetchSearchCodesText(HttpClient &http, const QUrl &url);
