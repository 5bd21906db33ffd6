// Durable file replacement: a file is written to a temporary file in the same folder, flushed to
// the disk, renamed over the target and the folder flushed too, so that once the write has been
// reported a crash or a power loss can leave neither an empty nor a missing file.
#pragma once

#include <string>

namespace zorvan {

// Writes `bytes` to `path` durably. On any failure (including a failed flush to the disk) the
// file that was there before stays as it was, no temporary file is left, `error` says what
// failed and false is returned.
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

// The flushes a durable write makes, replaceable so that tests can make one of them fail. Each
// takes an open descriptor and answers as fsync(2) does.
struct FileFlushCalls {
    int (*flushFile)(int fd);
    int (*flushFolder)(int fd);
};
// Puts `calls` in place (a null member means fsync) and returns the calls that were in place.
FileFlushCalls setFileFlushCalls(FileFlushCalls calls);

}  // namespace zorvan
