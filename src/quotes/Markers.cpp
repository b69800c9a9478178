// The quote page markers, replaced once at start from the marker file when one is configured.
#include "app/Tillwick.h"
#include "quotes/HttpClient.h"
#include "quotes/SearchCodes.h"
#include "quotes/ServiceUrls.h"

bool TTillwick1::FetchSearchCodes()
{
    const std::optional<QString> text = fetchSearchCodesText(*NetHTTP1, markerUrl());
    if (!text)
        return false;
    Memo1 = *text;
    return true;
}

void TTillwick1::LoadSearchCodes()
{
    if (!FetchSearchCodes())
        return;
    const SearchCodes markers = parseSearchCodes(Memo1);
    SRCHSTCK1 = markers.SRCHSTCK1;
    SRCHSTCK2 = markers.SRCHSTCK2;
    SRCHMUTFD1 = markers.SRCHMUTFD1;
    SRCHMUTFD2 = markers.SRCHMUTFD2;
}
