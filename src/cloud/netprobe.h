// Whether this machine reaches the outside world: a plain HTTP request to the probe address,
// with a short connect time-out so that an offline till starts without waiting.
#pragma once

#include <QString>

namespace shop::cloud {

// True when a connection to `url` could be made and an HTTP answer came back.
bool probeConnection(const QString& url, int connectTimeoutSeconds);

} // namespace shop::cloud
