#pragma once

#include <filesystem>
#include <string_view>

namespace tavrinel::collect {

// Writes bytes as the whole new content of target without ever leaving it half-written: the
// bytes go to a temporary file in the same folder, which is flushed to disk and then renamed
// over target. A failure (missing folder, read-only folder, full disk) leaves any file already
// at target as it was and returns false. An existing target keeps its permission bits.
bool WriteFileReplacing(const std::filesystem::path& target, std::string_view bytes);

}  // namespace tavrinel::collect
