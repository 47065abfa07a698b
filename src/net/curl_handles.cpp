#include "net/curl_handles.h"

#include <string>

#include "net/curl_global.h"

namespace tavrinel::net {

CurlEasy MakeCurlEasy() {
    if (!EnsureCurlGlobalInit()) {
        return nullptr;
    }
    return CurlEasy(curl_easy_init());
}

bool CurlHeaderList::append(std::string_view line) {
    const std::string copy(line);
    curl_slist* extended = curl_slist_append(list_.get(), copy.c_str());
    if (extended == nullptr) {
        return false;
    }
    // curl_slist_append returns the head, which is the old one once the list is not empty.
    list_.release();
    list_.reset(extended);
    return true;
}

}  // namespace tavrinel::net
