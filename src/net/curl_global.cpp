#include "net/curl_global.h"

#include <curl/curl.h>

namespace tavrinel::net {

bool EnsureCurlGlobalInit() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return initialised;
}

}  // namespace tavrinel::net
