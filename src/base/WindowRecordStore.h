// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "base/WindowRecord.h"

namespace rtv {

// Where the program's secondary windows remember their places between runs.
class WindowRecordStore {
 public:
  virtual ~WindowRecordStore() = default;
  // The record of a secondary window, when one was kept.
  virtual std::optional<WindowRecord> FindWindowRecord(const std::string& name) = 0;
  // Replaces or creates the record.
  virtual void StoreWindowRecord(const WindowRecord& record) = 0;
};

}  // namespace rtv
