#include "records/durable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zorvan {

namespace {

FileFlushCalls g_flush{nullptr, nullptr};

int flushFile(int fd) {
    return g_flush.flushFile ? g_flush.flushFile(fd) : ::fsync(fd);
}

int flushFolder(int fd) {
    return g_flush.flushFolder ? g_flush.flushFolder(fd) : ::fsync(fd);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string failure(const char* what, const std::string& path) {
    return std::string(what) + " " + path + ": " + std::strerror(errno);
}

// Writes all of `bytes` to `fd`, going on after interruptions and short writes.
bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Flushes the folder's entries (the rename) to the disk.
bool flushFolderOf(const std::string& path) {
    const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = flushFolder(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

FileFlushCalls setFileFlushCalls(FileFlushCalls calls) {
    const FileFlushCalls old = g_flush;
    g_flush = calls;
    return old;
}

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string suffix = std::to_string(static_cast<long>(::getpid()));
    const std::string temp = path + ".tmp" + suffix;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = failure("cannot create", temp);
        return false;
    }
    bool ok = writeAll(fd, bytes);
    if (!ok) error = failure("cannot write", temp);
    if (ok && flushFile(fd) != 0) {
        ok = false;
        error = failure("cannot flush", temp);
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = failure("cannot close", temp);
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }

    // Keep a second name for the file being replaced, so it can be put back when the folder
    // cannot be flushed after the rename. (Folders that have no hard links go without.)
    const std::string keep = path + ".old" + suffix;
    const bool kept = ::link(path.c_str(), keep.c_str()) == 0;
    const bool wasThere = kept || errno != ENOENT;
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        error = failure("cannot replace", path);
        ::unlink(temp.c_str());
        if (kept) ::unlink(keep.c_str());
        return false;
    }
    if (!flushFolderOf(path)) {
        error = failure("cannot flush the folder of", path);
        // Put the old file back, or take the new one away when there was none; when the old
        // one could not be kept, the new one is all there is and stays.
        if (kept)
            ::rename(keep.c_str(), path.c_str());
        else if (!wasThere)
            ::unlink(path.c_str());
        flushFolderOf(path);
        return false;
    }
    if (kept) ::unlink(keep.c_str());
    return true;
}

}  // namespace zorvan
