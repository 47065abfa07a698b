#include "sim/request_router.h"

#include <optional>
#include <string_view>

#include "sim/result_page.h"

namespace tavrinel::sim {
namespace {

constexpr std::string_view kHtmlType = "text/html;charset=utf-8";

// The largest page offset the simulator serves, far beyond any result count it allows.
constexpr int kMaxOffset = 2 * kMaxResultCount;

Reply HtmlReply(int status, std::string body) {
    Reply reply;
    reply.status = status;
    reply.headers.emplace_back("Content-Type", kHtmlType);
    reply.body = std::move(body);
    return reply;
}

// The "&pn=" value of a result page request: plain decimal digits, anything else counts as 0.
int PageOffset(const RecordedRequest& request) {
    std::optional<std::string> value = QueryParameter(request.target, "pn");
    if (!value) {
        value = QueryParameter(request.target, "amp;pn");
    }
    if (!value || value->empty() || value->size() > 9) {
        return 0;
    }
    int offset = 0;
    for (const char c : *value) {
        if (c < '0' || c > '9') {
            return 0;
        }
        offset = offset * 10 + (c - '0');
    }
    return offset > kMaxOffset ? 0 : offset;
}

Reply ResultPageReply(const ResultCatalog& catalog, const RecordedRequest& request) {
    const std::string keyword = QueryParameter(request.target, "wd").value_or("");
    const KeywordPlan plan = catalog.planFor(keyword);
    if (plan.mode == SearchMode::kVerification) {
        return HtmlReply(200, VerificationPage());
    }
    const int offset = PageOffset(request);
    RenderedPage page = RenderResultPage(catalog, keyword, offset);
    Reply reply = HtmlReply(plan.mode == SearchMode::kNotFound ? 404 : 200, std::move(page.html));
    if (plan.mode == SearchMode::kBrokenBody) {
        reply.delivery = Reply::Delivery::kBreakMidBody;
        const int sent = ResultCatalog::entriesBeforeBreak(static_cast<int>(page.entryEnds.size()));
        reply.bytesBeforeBreak =
            sent > 0 ? page.entryEnds[static_cast<std::size_t>(sent) - 1] : reply.body.size() / 2;
    }
    return reply;
}

Reply LinkReply(const RecordedRequest& request) {
    const std::string token = QueryParameter(request.target, "url").value_or("");
    const std::optional<LinkTarget> target = ResultCatalog::targetOfToken(token);
    if (!target) {
        return HtmlReply(404, "<html><body><h1>404 Not Found</h1></body></html>\n");
    }
    switch (target->answer) {
        case LinkAnswer::kPlainPage:
            return HtmlReply(200,
                             "<html><head><title>页面</title></head>"
                             "<body><p>这里没有跳转。</p></body></html>\n");
        case LinkAnswer::kNoAnswer: {
            Reply reply;
            reply.delivery = Reply::Delivery::kNoAnswer;
            return reply;
        }
        case LinkAnswer::kRedirect:
            break;
    }
    Reply reply = HtmlReply(302,
                            "<html><head><title>302 Found</title></head><body><center>"
                            "<h1>302 Found</h1></center></body></html>\n");
    reply.headers.emplace(reply.headers.begin(), "Location", target->landingUrl);
    return reply;
}

std::string_view ReasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 302:
            return "Found";
        case 400:
            return "Bad Request";
        case 404:
            return "Not Found";
        case 413:
            return "Payload Too Large";
        default:
            return "Unknown";
    }
}

}  // namespace

Reply RouteRequest(const ResultCatalog& catalog, const RecordedRequest& request) {
    const std::string_view path = TargetPath(request.target);
    if (path == "/s") {
        return ResultPageReply(catalog, request);
    }
    if (path == "/link") {
        return LinkReply(request);
    }
    if (path == "/") {
        return HtmlReply(200,
                         "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">"
                         "<title>百度一下，你就知道</title></head><body>"
                         "<form action=\"/s\"><input name=\"wd\"><input type=\"hidden\" "
                         "name=\"ie\" value=\"utf-8\"><input type=\"submit\" value=\"百度一下\">"
                         "</form></body></html>\n");
    }
    return HtmlReply(404, "<html><body><h1>404 Not Found</h1></body></html>\n");
}

std::string ResponseHead(const Reply& reply) {
    std::string head = "HTTP/1.1 " + std::to_string(reply.status) + " ";
    head += ReasonPhrase(reply.status);
    head += "\r\nServer: tavrinel-sim\r\n";
    for (const auto& [name, value] : reply.headers) {
        head += name + ": " + value + "\r\n";
    }
    head +=
        "Content-Length: " + std::to_string(reply.body.size()) + "\r\nConnection: close\r\n\r\n";
    return head;
}

}  // namespace tavrinel::sim
