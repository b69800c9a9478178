#include "quotes/SearchCodes.h"

#include "quotes/HttpClient.h"

namespace {

const QString kSeparator = QStringLiteral("@#");

bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 0x20 || c.unicode() == 0x7F;
}

QString trimmedOfControls(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text.at(begin)))
        ++begin;
    while (end > begin && isBlankOrControl(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

SearchCodes defaultSearchCodes()
{
    return {QStringLiteral("range-current"),
            QStringLiteral("\""),
            QStringLiteral("data-pricehint=\"2\" value="),
            QStringLiteral("\"")};
}

SearchCodes parseSearchCodes(const QString &text)
{
    QString rest = text;
    QString fields[4];
    for (int i = 0; i < 4; ++i) {
        const qsizetype at = rest.indexOf(kSeparator);
        if (at < 0)
            break; // this field and the ones after it stay empty
        fields[i] = rest.left(at);
        rest = trimmedOfControls(rest.mid(at + kSeparator.size()));
    }
    return {fields[0], fields[1], fields[2], fields[3]};
}

std::optional<QString> fetchSearchCodesText(HttpClient &http, const QUrl &url)
{
    if (url.isEmpty() || !url.isValid())
        return std::nullopt;
    const HttpResult result = http.get(url);
    if (!result.ok)
        return std::nullopt;
    return QString::fromUtf8(result.body);
}
