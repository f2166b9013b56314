#include "cloud/netprobe.h"

#include <curl/curl.h>

#include <memory>

namespace shop::cloud {

namespace {
size_t discard(char*, size_t size, size_t count, void*) {
    return size * count;
}
} // namespace

bool probeConnection(const QString& url, int connectTimeoutSeconds) {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    if (!initialised)
        return false;
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl)
        return false;
    const QByteArray address = url.toUtf8();
    curl_easy_setopt(curl.get(), CURLOPT_URL, address.constData());
    curl_easy_setopt(curl.get(), CURLOPT_NOBODY, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_FRESH_CONNECT, 1L); // a real attempt, not a cached connection
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, long(connectTimeoutSeconds));
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, long(connectTimeoutSeconds) * 2);
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &discard);
    return curl_easy_perform(curl.get()) == CURLE_OK;
}

} // namespace shop::cloud
