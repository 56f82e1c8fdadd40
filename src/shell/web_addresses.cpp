#include "shell/web_addresses.h"

#include "base/sjis.h"
#include "shell/url_encoding.h"

std::string WebSearchAddress(const TSearchEngine& engine, const std::string& centreAddress) {
    const std::string text = '"' + centreAddress + '"';
    std::string encoded;
    switch (engine.Encoding) {
        case eeUtf8: encoded = UrlEncodeQueryValue(sjis::toUtf8(text)); break;
        case eeSjis: encoded = UrlEncodeQueryValue(text); break;
        case eeEuc: encoded = UrlEncodeQueryValue(SjisToEuc(text)); break;
        case eeInvalid: break;
    }
    return engine.BaseUrl + "?" + engine.QueryPrefix + encoded;
}

std::string TownPageAddress(const std::string& location, const std::string& keyword) {
    return std::string(kTownPageSearchUrl) + "?Location=" + UrlEncodeQueryValue(location) +
           "&free_word=" + UrlEncodeQueryValue(keyword);
}
