#include "net/header_block.h"

#include "text/find_text.h"
#include "text/split_text.h"

namespace tavrinel::net {

namespace {

bool Contains(std::string_view block, std::string_view needle) {
    return text::FindText(block, needle) != text::kNotFound;
}

void AppendIfMissing(text::Text& block, std::string_view name, std::string_view line) {
    if (!Contains(block, name)) {
        block += "\r\n";
        block += line;
    }
}

}  // namespace

void CompleteHeaderBlock(text::Text& block, std::string_view url) {
    if (block.empty()) {
        block = "Accept: */*";
    } else {
        AppendIfMissing(block, "Accept:", "Accept: */*");
    }
    AppendIfMissing(block, "Referer:", "Referer: " + std::string(url));
    AppendIfMissing(block, "Accept-Language:", "Accept-Language: zh-cn");
    AppendIfMissing(
        block, "User-Agent:", "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
    AppendIfMissing(block, "Content-Type:", "Content-Type: application/x-www-form-urlencoded");
}

text::TextList HeaderBlockLines(std::string_view block) {
    if (!Contains(block, "\r\n")) {
        return {text::Text(block)};
    }
    return text::SplitText(block, "\r\n");
}

}  // namespace tavrinel::net
