// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace rtv {

enum class SafeSaveResult {
  kOk,
  kCannotCreate,  // the file (or its temporary twin) cannot be created or replaced
  kWriteFailed,   // writing, flushing or syncing the data failed
};

// Replaces the file at `path` with `contents` so that the old file stays intact unless
// the new one is complete: the bytes go to a temporary file in the same folder, which is
// synced and then renamed over the target. A read-only target is not replaced; an
// existing target's permissions carry over; a symbolic link is followed. The temporary name
// is short, so that any name the folder takes can be saved. `error` receives the errno of the
// failing call.
SafeSaveResult SafeSave(const std::string& path, std::string_view contents, int* error = nullptr);

// Writes all of `data` to `fd`, false (errno set) when it cannot: the step a test replaces to
// act out a full disk.
using SafeSaveWriter = std::function<bool(int fd, std::string_view data)>;
SafeSaveResult SafeSave(const std::string& path, std::string_view contents, int* error,
                        const SafeSaveWriter& writer);

// "cannot be written: No space left on device": what follows the path in a message.
std::string DescribeSafeSaveFailure(SafeSaveResult result, int error);

}  // namespace rtv
