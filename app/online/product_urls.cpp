#include "app/online/product_urls.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void ReplaceAll(std::string& text, const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size())) {
        text.replace(at, what.size(), with);
    }
}

}  // namespace

std::string FillUrlPattern(const std::string& pattern, const std::string& language,
                           const std::string& product) {
    std::string url = pattern;
    ReplaceAll(url, "%language%", Lower(language));
    ReplaceAll(url, "%product%", Lower(product));
    return url;
}

std::string ProductPageUrl(const std::string& host, const std::string& language,
                           const std::string& product) {
    return "http://" + host + FillUrlPattern("/%language%/products/%product%/", language, product);
}

std::string ManifestUrl(const std::string& host, const std::string& product) {
    return "http://" + host + FillUrlPattern("/downloads/media/%product%.osd", {}, product);
}

std::string FeedUrl(const std::string& host, const std::string& language,
                    const std::string& product) {
    return "http://" + host +
           FillUrlPattern("/downloads/media/%language%.%product%.rss", language, product);
}
