#pragma once

#include "text/text_types.h"

// The system's fixed texts, in the system's text (GB18030). Source files are UTF-8, so each is
// converted once on first use.
namespace tavrinel::collect::ui {

const text::Text& WindowTitle();            // "Tavrinel V1.5.1"
const text::Text& StartCaption();           // "开始": no run wanted (idle, or stopping)
const text::Text& StopCaption();            // "停止": a run is wanted
const text::Text& PageCounterPrefix();      // "当前页："
const text::Text& LastPageSuffix();         // " 已到最后一页"
const text::Text& RunStoppedMessage();      // "采集已停止"
const text::Text& NoPagerLinkMessage();     // the three-line message of a page without pager
const text::Text& EnterKeywordMessage();    // "请输入关键字"
const text::Text& EnterPageCountMessage();  // "请输入要采集的页数"
const text::Text& MessageTitle();           // "信息："
const text::Text& ExportSucceededPrefix();  // "导出成功.去重复后："
const text::Text& ExportSucceededSuffix();  // " 个"
const text::Text& ExportFailedMessage();    // "失败"
const text::Text& KeywordPlaceholder();     // "{关键字}"

}  // namespace tavrinel::collect::ui
