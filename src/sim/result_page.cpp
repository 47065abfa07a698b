#include "sim/result_page.h"

#include <algorithm>

namespace tavrinel::sim {
namespace {

std::string HtmlEscape(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '&':
                escaped += "&amp;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&#39;";
                break;
            default:
                escaped.push_back(c);
        }
    }
    return escaped;
}

// The title as the heading shows it: the written title with its JSON escapes undone and its
// quotes as HTML entities (a bare quote there would let a title forge an entry marker).
std::string ShownTitle(std::string_view writtenTitle) {
    std::string shown;
    for (std::size_t i = 0; i < writtenTitle.size(); ++i) {
        if (writtenTitle[i] == '\\' && i + 1 < writtenTitle.size()) {
            ++i;
        }
        if (writtenTitle[i] == '"') {
            shown += "&quot;";
        } else {
            shown.push_back(writtenTitle[i]);
        }
    }
    return shown;
}

void AppendEntry(std::string& html, const ExpectedEntry& entry, std::string_view keywordHtml) {
    const std::string number = std::to_string(entry.index + 1);
    html +=
        "<div class=\"result c-container \" id=\"" + number +
        "\" srcid=\"1599\" tpl=\"se_com_default\" data-click=\"{'rsv_bdr':'0' }\">"
        "<h3 class=\"t\"><a\n        href = \"" +
        entry.redirectLink + "\"\n        target=\"_blank\">" + ShownTitle(entry.writtenTitle) +
        "</a></h3><div class=\"c-abstract\">" + std::string(keywordHtml) + "的相关内容示例，第" +
        number + "条结果的摘要……</div><div class=\"f13\"><a target=\"_blank\" href=\"" +
        entry.redirectLink + "\" class=\"c-showurl\" style=\"text-decoration:none;\">" +
        entry.domain + "/&nbsp;</a><div class=\"c-tools\" id=\"tools_" + number +
        "\" data-tools='{\"title\":\"" + entry.writtenTitle + "\",\"url\":\"" + entry.redirectLink +
        "\"}'><a class=\"c-tip-icon\"><i class=\"c-icon "
        "c-icon-triangle-down-g\"></i></a></div></div></div>\n";
}

void AppendPageLink(std::string& html, const std::string& link, int pageNumber) {
    html += "<a href=\"" + link + "\"><span class=\"fk" + (pageNumber % 2 == 0 ? " fkd" : "") +
            "\"><i class=\"c-icon c-icon-bear-pn\"></i></span><span class=\"pc\">" +
            std::to_string(pageNumber) + "</span></a>";
}

void AppendPager(std::string& html, const ResultCatalog& catalog, std::string_view keyword,
                 int offset) {
    const int results = catalog.resultCount(keyword);
    const int pages = (results + kEntriesPerPage - 1) / kEntriesPerPage;
    const int current = offset / kEntriesPerPage + 1;
    const int first = std::max(1, current - 5);
    const int last = std::max(current, std::min(pages, first + 9));
    html += "<div id=\"page\" >\n<div class=\"page-inner\">";
    if (current > 1) {
        html += "<a href=\"" + catalog.pagerLink(keyword, (current - 2) * kEntriesPerPage, -1) +
                "\" class=\"n\">&lt;上一页</a>";
    }
    for (int number = first; number <= last; ++number) {
        if (number == current) {
            html +=
                "<strong><span class=\"fk fk_cur\"><i class=\"c-icon c-icon-bear-p\"></i></span>"
                "<span class=\"pc\">" +
                std::to_string(number) + "</span></strong>";
        } else {
            AppendPageLink(html, catalog.pagerLink(keyword, (number - 1) * kEntriesPerPage),
                           number);
        }
    }
    if (const auto next = catalog.nextOffset(keyword, offset)) {
        html +=
            "<a href=\"" + catalog.pagerLink(keyword, *next, 1) + "\" class=\"n\">下一页 &gt;</a>";
    }
    html += "\n</div>\n</div>\n";
}

}  // namespace

RenderedPage RenderResultPage(const ResultCatalog& catalog, std::string_view keyword, int offset) {
    const std::string keywordHtml = HtmlEscape(ResultCatalog::cleanKeyword(keyword));
    RenderedPage page;
    std::string& html = page.html;
    html +=
        "<!DOCTYPE html>\n<html>\n<head>\n"
        "<meta http-equiv=\"content-type\" content=\"text/html;charset=utf-8\">\n<title>" +
        keywordHtml +
        "_百度搜索</title>\n</head>\n<body>\n<div id=\"wrapper\">\n"
        "<div id=\"head\"><form name=\"f\" id=\"form\" action=\"/s\"><input type=\"text\" "
        "name=\"wd\" id=\"kw\" value=\"" +
        keywordHtml +
        "\"></form></div>\n<div id=\"container\">\n"
        "<div class=\"head_nums_cont_outer OP_LOG\"><div class=\"head_nums_cont_inner\">"
        "<div class=\"nums\">百度为您" +
        catalog.resultCountText(keyword) + "</div></div></div>\n<div id=\"content_left\">\n";
    const int entries = catalog.entriesAtOffset(keyword, offset);
    for (int i = 0; i < entries; ++i) {
        AppendEntry(html, catalog.entry(keyword, offset + i), keywordHtml);
        page.entryEnds.push_back(html.size());
    }
    html += "</div>\n";
    if (catalog.resultCount(keyword) > 0) {
        AppendPager(html, catalog, keyword, offset);
    }
    html +=
        "<div id=\"foot\"><span id=\"help\"><a href=\"/\" target=\"_blank\">帮助</a></span>"
        "<span>&copy;Tavrinel 模拟搜索</span></div>\n</div>\n</div>\n</body>\n</html>\n";
    return page;
}

std::string VerificationPage() {
    return "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n    <meta charset=\"utf-8\">\n"
           "    <title>百度安全验证</title>\n"
           "    <meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
           "</head>\n<body>\n    <div class=\"timeout hide\">\n"
           "        <div class=\"timeout-img\"></div>\n"
           "        <div class=\"timeout-title\">网络不给力，请稍后重试</div>\n"
           "        <button type=\"button\" class=\"timeout-button\">返回首页</button>\n"
           "    </div>\n    <div class=\"timeout-feedback hide\">\n"
           "        <div class=\"timeout-feedback-icon\"></div>\n"
           "        <p class=\"timeout-feedback-title\">问题反馈</p>\n    </div>\n"
           "</body>\n</html>\n";
}

}  // namespace tavrinel::sim
