#include "document/url_fetcher.h"

#include <mutex>

namespace {
std::mutex g_mutex;
std::shared_ptr<ivUrlFetcher> g_fetcher;
}  // namespace

void SetUrlFetcher(std::shared_ptr<ivUrlFetcher> fetcher) {
    std::lock_guard<std::mutex> lock(g_mutex);
    g_fetcher = std::move(fetcher);
}

std::shared_ptr<ivUrlFetcher> GetUrlFetcher() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_fetcher;
}
