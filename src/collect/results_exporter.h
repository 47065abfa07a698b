#pragma once

#include <cstddef>

#include "collect/window_operations.h"
#include "text/text_types.h"

namespace tavrinel::collect {

enum class ExportMode : int {
    kDomains = 1,   // one line per distinct domain
    kFullRows = 2,  // one line per distinct title TAB landing address TAB domain
};

enum class ExportEncoding { kSystem, kUtf8 };

// The lines an export writes, each ended by CR LF, and how many there are.
struct ExportContent {
    text::ByteBuffer bytes;
    std::size_t lineCount = 0;
};

// Writes the results list to a text file, de-duplicated in first-seen order.
class ResultsExporter {
  public:
    // Reads the row count once, then every row's cells through the window; a row deleted in
    // the meantime reads as empty cells.
    static ExportContent buildContent(WindowOperations& window, ExportMode mode);

    // An export thread's body: asks for the file (cancel ends silently), builds the content,
    // writes it in one piece (the system's text, or UTF-8) and reports "导出成功.去重复后：N 个"
    // or the error box "失败". Returns whether a file was written.
    static bool run(WindowOperations& window, ExportMode mode,
                    ExportEncoding encoding = ExportEncoding::kSystem);
};

}  // namespace tavrinel::collect
