// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv::test {

// A file in the temporary folder that is removed when the object goes.
class TempFile {
 public:
  explicit TempFile(const std::string& contents, const std::string& suffix = ".txt");
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace rtv::test
