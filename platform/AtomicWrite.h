#pragma once

// Replacing a file whole. The host may include this header (the model save and the script words
// use it), so it stays free of Qt and of other project headers.

#include <string>
#include <string_view>
#include <system_error>

namespace zentaro::platform {

// Which step of a replacing write failed.
enum class TWriteStep {
    None,    // nothing failed
    Create,  // the temporary file could not be created beside the target
    Write,   // its contents could not be written, given the old file's permissions or flushed
    Replace, // it could not be renamed over the target
};

struct TWriteResult {
    TWriteStep FailedStep = TWriteStep::None;
    std::error_code Error;

    explicit operator bool() const noexcept { return FailedStep == TWriteStep::None; }
};

// Replaces the file at `path` with `contents` so that the name holds either the old file or the
// whole new one, also after a crash or a power loss: the bytes go to a temporary file of a unique
// name in the same directory, which is flushed to the disk, given the old file's permission bits
// (a new file gets `newFileMode` less the umask) and renamed over `path`; then the directory is
// flushed so that the rename lasts as well. On any failure the old file stays as it was and the
// temporary file is removed.
//
// Limits: a symbolic link at `path` is replaced, not followed; the old file's owner, group and
// hard links are not carried over; a failure to flush the directory after the rename is not
// reported (some file systems cannot), the file is in place by then.
TWriteResult WriteFileAtomically(const std::string& path, std::string_view contents,
                                 unsigned newFileMode = 0666);

} // namespace zentaro::platform
