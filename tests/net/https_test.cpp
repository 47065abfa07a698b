// An https server with a self-signed certificate: the request client ignores the certificate
// error, the page fetch refuses the page.
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <string>
#include <thread>

#include "net/http_request_client.h"
#include "net/page_fetcher.h"

namespace tavrinel::net {
namespace {

class SelfSignedServer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server_.is_valid()) << "certificate fixtures not loaded";
        server_.Get("/secure", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("secret page", "text/html");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        ASSERT_GT(port_, 0);
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // stop() only reaches a server that is already running.
        while (!server_.is_running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    void TearDown() override {
        server_.stop();
        if (thread_.joinable()) {
            thread_.join();
        }
    }

    std::string url() const { return "https://127.0.0.1:" + std::to_string(port_) + "/secure"; }

    httplib::SSLServer server_{TAVRINEL_NET_FIXTURES_DIR "/self-signed-cert.pem",
                               TAVRINEL_NET_FIXTURES_DIR "/self-signed-key.pem"};
    int port_ = 0;
    std::thread thread_;
};

TEST_F(SelfSignedServer, RequestClientIgnoresTheCertificateError) {
    HttpRequestOptions options;
    EXPECT_EQ(HttpRequestClient::request(url(), options), "secret page");
    EXPECT_EQ(options.status, 200);
}

TEST_F(SelfSignedServer, PageFetchRefusesThePage) { EXPECT_EQ(PageFetcher::fetch(url()), ""); }

TEST_F(SelfSignedServer, RequestObjectChecksCertificatesUnlessTold) {
    const auto object = RequestObject::create();
    ASSERT_TRUE(object->open("GET", url()));
    EXPECT_FALSE(object->send(""));
    EXPECT_EQ(object->status(), 0);
    ASSERT_TRUE(object->setIgnoredCertificateErrors(RequestObject::kIgnoreAllCertificateErrors));
    ASSERT_TRUE(object->open("GET", url()));
    EXPECT_TRUE(object->send(""));
    EXPECT_EQ(object->responseBody(), "secret page");
}

}  // namespace
}  // namespace tavrinel::net
