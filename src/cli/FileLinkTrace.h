// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>

#include "link/LinkTrace.h"

namespace rtv::tools {

// The link's record in a text file, each line written out as it comes, so that a run
// that is killed still leaves what happened up to then.
class FileLinkTrace : public LinkTrace {
 public:
  explicit FileLinkTrace(const std::string& path);
  ~FileLinkTrace() override;
  FileLinkTrace(const FileLinkTrace&) = delete;
  FileLinkTrace& operator=(const FileLinkTrace&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  // The system's error number when the file could not be opened.
  int OpenError() const { return openError_; }
  void Line(const std::string& text) override;

 private:
  std::FILE* file_;
  int openError_;
};

}  // namespace rtv::tools
