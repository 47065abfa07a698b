#pragma once

// The window's own fixed texts, in UTF-8 for Qt. The texts a run or an export also uses
// (captions of the button and the counter, the messages) come from the engine.
namespace tavrinel::app::texts {

inline constexpr char kKeywordLabel[] = "关键字：";
inline constexpr char kPageCountLabel[] = "页数：";
inline constexpr char kInitialKeyword[] = "Morvesk";
inline constexpr char kInitialPageCount[] = "10";
inline constexpr char kAutoScroll[] = "滚动显示";
inline constexpr char kMenuTitle[] = "菜单";
inline constexpr char kExportDomains[] = "导出域名";
inline constexpr char kExportFullInfo[] = "导出完整信息";
inline constexpr char kDeleteAll[] = "全部删除";

// Column titles of the results list, in column order.
inline constexpr const char* kColumnTitles[] = {"Id", "标题", "页面地址", "域名"};
inline constexpr int kColumnWidths[] = {40, 140, 250, 150};

// The save dialog's one filter, "文本文件（*.txt）|*.txt", in Qt's "description (patterns)" form.
inline constexpr char kExportFileFilter[] = "文本文件（*.txt）(*.txt)";
inline constexpr char kExportDefaultSuffix[] = "txt";

// Control names, which tests and accessibility tools find the controls by.
namespace names {
inline constexpr char kKeywordEdit[] = "编辑框_关键字";
inline constexpr char kPageCountEdit[] = "编辑框_页数";
inline constexpr char kStartButton[] = "按钮_开始";
inline constexpr char kPageCounter[] = "标签_当前页";
inline constexpr char kAutoScrollBox[] = "选择框_滚动显示";
inline constexpr char kAutoScrollTimer[] = "时钟_刷新显示";
inline constexpr char kResultsList[] = "超级列表框_显示";
inline constexpr char kExportDialog[] = "通用对话框1";
inline constexpr char kMenu[] = "菜单";
inline constexpr char kKeywordLabel[] = "标签1";
inline constexpr char kPageCountLabel[] = "标签2";
}  // namespace names

}  // namespace tavrinel::app::texts
