#pragma once

#include <string>

// The product's web addresses. Only the host is ours to choose ("/WebHost"); the paths are
// fixed. "%language%" and "%product%" are filled in lower case.

std::string FillUrlPattern(const std::string& pattern, const std::string& language,
                           const std::string& product);

// "http://host/%language%/products/%product%/"
std::string ProductPageUrl(const std::string& host, const std::string& language,
                           const std::string& product);

// "http://host/downloads/media/%product%.osd"
std::string ManifestUrl(const std::string& host, const std::string& product);

// "http://host/downloads/media/%language%.%product%.rss"
std::string FeedUrl(const std::string& host, const std::string& language,
                    const std::string& product);
