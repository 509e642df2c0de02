// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
// existing target's permissions carry over; a symbolic link is followed.
SafeSaveResult SafeSave(const std::string& path, std::string_view contents);

}  // namespace rtv
