#include "quotes/ServiceUrls.h"

#include <QtGlobal>

namespace {

QUrl urlFromEnvironment(const char *name, const QString &fallback = {})
{
    const QString text = qEnvironmentVariable(name).trimmed();
    if (text.isEmpty())
        return fallback.isEmpty() ? QUrl() : QUrl(fallback);
    const QUrl url(text, QUrl::StrictMode);
    // A relative or garbled value must not fall back to the public host: nothing is sent instead.
    if (!url.isValid() || url.scheme().isEmpty() || url.host().isEmpty())
        return QUrl();
    return url;
}

// The base's own path without a trailing "/", encoded, so a base may carry a prefix.
QString basePath(const QUrl &base)
{
    QString path = base.path(QUrl::FullyEncoded);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QUrl withPath(const QUrl &base, const QString &encodedTail)
{
    if (!base.isValid() || base.host().isEmpty())
        return QUrl();
    QUrl url = base.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
    url.setPath(basePath(base) + encodedTail, QUrl::TolerantMode);
    return url;
}

QString segment(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

} // namespace

QUrl quoteBaseUrl()
{
    return urlFromEnvironment("TILLWICK_QUOTE_URL", QStringLiteral("https://www.google.com"));
}

QUrl markerUrl()
{
    return urlFromEnvironment("TILLWICK_MARKER_URL");
}

QUrl nameServiceUrl()
{
    return urlFromEnvironment("TILLWICK_NAME_URL");
}

QString nameServiceToken()
{
    return qEnvironmentVariable("TILLWICK_NAME_TOKEN").trimmed();
}

const QStringList &exchangeSuffixes()
{
    static const QStringList suffixes{QStringLiteral(":NYSE"),
                                      QStringLiteral(":NASDAQ"),
                                      QStringLiteral(":MUTF"),
                                      QStringLiteral(":NYSEARCA"),
                                      QStringLiteral(":NYSEAMERICAN")};
    return suffixes;
}

QString exchangeOfSuffix(const QString &suffix)
{
    const qsizetype colon = suffix.indexOf(QLatin1Char(':'));
    return colon < 0 ? suffix : suffix.mid(colon + 1);
}

QUrl quotePageUrl(const QUrl &base, const QString &symbolLower, const QString &suffix)
{
    // The ":" of the suffix stays literal; it is legal inside a path segment.
    return withPath(base, QStringLiteral("/finance/quote/") + segment(symbolLower) + suffix);
}

QUrl nameRequestUrl(const QUrl &base, const QString &symbol, const QString &token)
{
    QUrl url = withPath(base, QStringLiteral("/beta/stock/") + segment(symbol) + QStringLiteral("/quote"));
    if (url.isValid())
        url.setQuery(QStringLiteral("token=") + segment(token), QUrl::TolerantMode);
    return url;
}
