#include "collect/results_exporter.h"

#include <algorithm>
#include <string>

#include "collect/export_file.h"
#include "collect/result_row.h"
#include "collect/ui_texts.h"
#include "collect/unique_text_list.h"
#include "text/charset_converter.h"

namespace tavrinel::collect {
namespace {

text::Text ExportLine(WindowOperations& window, int row, ExportMode mode) {
    if (mode == ExportMode::kDomains) {
        return window.cell(row, kDomainColumn);
    }
    text::Text line = window.cell(row, kTitleColumn);
    line += '\t';
    line += window.cell(row, kLandingUrlColumn);
    line += '\t';
    line += window.cell(row, kDomainColumn);
    return line;
}

}  // namespace

ExportContent ResultsExporter::buildContent(WindowOperations& window, ExportMode mode) {
    const int rowCount = window.rowCount();
    UniqueTextList lines("\r\n");
    lines.reserve(static_cast<std::size_t>(std::max(rowCount, 0)));
    for (int row = 0; row < rowCount; ++row) {
        lines.add(ExportLine(window, row, mode));
    }
    ExportContent content;
    content.lineCount = lines.size();
    content.bytes = lines.takeJoined();
    return content;
}

bool ResultsExporter::run(WindowOperations& window, ExportMode mode, ExportEncoding encoding) {
    const std::optional<std::string> path = window.chooseExportFile();
    if (!path) {
        return false;
    }
    ExportContent content = buildContent(window, mode);
    if (encoding == ExportEncoding::kUtf8) {
        content.bytes = text::SystemToUtf8(content.bytes);
    }
    if (!WriteFileReplacing(*path, content.bytes)) {
        window.showMessage(ui::ExportFailedMessage(), MessageIcon::kError);
        return false;
    }
    window.showMessage(ui::ExportSucceededPrefix() + std::to_string(content.lineCount) +
                       ui::ExportSucceededSuffix());
    return true;
}

}  // namespace tavrinel::collect
