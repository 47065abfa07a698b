#include "collect/ui_texts.h"

#include "text/charset_converter.h"

namespace tavrinel::collect::ui {

#define TAVRINEL_UI_TEXT(name, utf8)                                  \
    const text::Text& name() {                                        \
        static const text::Text converted = text::Utf8ToSystem(utf8); \
        return converted;                                             \
    }

TAVRINEL_UI_TEXT(WindowTitle, "Tavrinel V" TAVRINEL_VERSION)
TAVRINEL_UI_TEXT(StartCaption, "开始")
TAVRINEL_UI_TEXT(StopCaption, "停止")
TAVRINEL_UI_TEXT(PageCounterPrefix, "当前页：")
TAVRINEL_UI_TEXT(LastPageSuffix, " 已到最后一页")
TAVRINEL_UI_TEXT(RunStoppedMessage, "采集已停止")
TAVRINEL_UI_TEXT(NoPagerLinkMessage, "1.IP被限制\r\n2.网络不稳定\r\n3.搜索的关键字无内容！")
TAVRINEL_UI_TEXT(EnterKeywordMessage, "请输入关键字")
TAVRINEL_UI_TEXT(EnterPageCountMessage, "请输入要采集的页数")
TAVRINEL_UI_TEXT(MessageTitle, "信息：")
TAVRINEL_UI_TEXT(ExportSucceededPrefix, "导出成功.去重复后：")
TAVRINEL_UI_TEXT(ExportSucceededSuffix, " 个")
TAVRINEL_UI_TEXT(ExportFailedMessage, "失败")
TAVRINEL_UI_TEXT(KeywordPlaceholder, "{关键字}")

#undef TAVRINEL_UI_TEXT

}  // namespace tavrinel::collect::ui
