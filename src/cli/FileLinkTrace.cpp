// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/FileLinkTrace.h"

#include <cerrno>

namespace rtv::tools {

FileLinkTrace::FileLinkTrace(const std::string& path)
    : file_(std::fopen(path.c_str(), "w")), openError_(file_ == nullptr ? errno : 0) {}

FileLinkTrace::~FileLinkTrace() {
  if (file_ != nullptr) std::fclose(file_);
}

void FileLinkTrace::Line(const std::string& text) {
  if (file_ == nullptr) return;
  std::fputs(text.c_str(), file_);
  std::fputc('\n', file_);
  std::fflush(file_);
}

}  // namespace rtv::tools
