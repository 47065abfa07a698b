#pragma once

#include <curl/curl.h>

#include <memory>
#include <string_view>

namespace tavrinel::net {

struct CurlEasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

// Owns one curl easy handle; move-only.
using CurlEasy = std::unique_ptr<CURL, CurlEasyDeleter>;

// A fresh easy handle, made after libcurl's process-wide initialisation; null when none can be
// made.
CurlEasy MakeCurlEasy();

struct CurlHeaderListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// Owns a list of request header lines for CURLOPT_HTTPHEADER.
class CurlHeaderList {
  public:
    // Appends one line as curl takes it ("Name: value"); false when memory ran out.
    bool append(std::string_view line);
    curl_slist* get() const { return list_.get(); }

  private:
    std::unique_ptr<curl_slist, CurlHeaderListDeleter> list_;
};

}  // namespace tavrinel::net
