#include "collect/export_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace tavrinel::collect {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Permission bits for the new file: the existing target's, or the usual 0666 less the umask.
mode_t ModeFor(const std::filesystem::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool WriteFileReplacing(const std::filesystem::path& target, std::string_view bytes) {
    if (target.empty() || !target.has_filename()) {
        return false;
    }
    // A hidden sibling, so the rename stays within one file system.
    std::string name = ".";
    name += target.filename().string();
    name += ".tmp-XXXXXX";
    std::string temporary = (target.parent_path() / name).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    const bool written =
        WriteAll(fd, bytes) && ::fchmod(fd, ModeFor(target)) == 0 && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace tavrinel::collect
