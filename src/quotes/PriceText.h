#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reading prices and names out of quote pages and service answers. No network here.

// The marker that stands before the price on a quote page.
QString lastPriceMarker();

// The text between the first two double quotes of the 12 characters after the first marker;
// empty when that window holds fewer than two. *markerFound tells whether the marker is there.
QString priceTextAfterMarker(const QString &page, const QString &marker, bool *markerFound = nullptr);

// Newer pages carry the quote only in a script data array:
//   ["SYMBOL","EXCHANGE"] (or ["SYMBOL",["EXCHANGE"]]), name, type, currency, [price, ...], ...
// The price of the array for this symbol and exchange (both case-insensitive), as written.
std::optional<QString>
priceFromDataArray(const QString &page, const QString &symbol, const QString &exchange);

// The name in that data array, else the page title before " (" ; empty when neither gives one.
QString nameFromQuotePage(const QString &page, const QString &symbol, const QString &exchange);

// The trimmed string value of "companyName" in a JSON object; nullopt when the body is not a
// JSON object or has no such string member (the holding's name is then left alone).
std::optional<QString> companyNameFromJson(const QByteArray &body);

// The number in a price text after its commas are removed, "." as the point.
std::optional<double> priceNumber(const QString &text);
