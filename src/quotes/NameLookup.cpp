#include "quotes/NameLookup.h"

#include "quotes/HttpClient.h"
#include "quotes/PriceLookup.h"
#include "quotes/PriceText.h"
#include "quotes/ServiceUrls.h"

namespace {

NameLookupResult nameFromService(HttpClient &http, const QString &symbol, const NameSource &source)
{
    NameLookupResult result;
    result.requests = 1;
    result.last = http.get(nameRequestUrl(source.service, symbol, source.token));
    result.failed = !result.last.ok || result.last.status < 200 || result.last.status > 299;
    if (!result.failed)
        result.name = companyNameFromJson(result.last.body);
    return result;
}

NameLookupResult nameFromQuotePages(HttpClient &http, const QString &symbol, const NameSource &source)
{
    const QString symbolLower = symbol.toLower();
    PriceLookup walk(&http, source.quoteBase, symbolLower);
    walk.setPageReader([symbolLower](const QString &page, const QString &exchange) -> std::optional<QString> {
        const QString name = nameFromQuotePage(page, symbolLower, exchange);
        return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
    });
    const QuoteLookupResult walked = walk.exec();

    NameLookupResult result;
    result.requests = walked.requests;
    result.last = walked.last;
    result.failed = !walked.last.ok;
    if (walked.found)
        result.name = walked.priceText;
    return result;
}

} // namespace

NameSource NameSource::fromEnvironment()
{
    return {nameServiceUrl(), nameServiceToken(), quoteBaseUrl()};
}

NameLookupResult lookupName(HttpClient &http, const QString &symbol, const NameSource &source)
{
    const QString trimmed = symbol.trimmed();
    if (source.service.isValid() && !source.service.isEmpty())
        return nameFromService(http, trimmed, source);
    return nameFromQuotePages(http, trimmed, source);
}
