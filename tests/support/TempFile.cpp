// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFile.h"

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace rtv::test {

TempFile::TempFile(const std::string& contents, const std::string& suffix) {
  static std::atomic<int> counter{0};
  std::random_device random;
  path_ = (std::filesystem::temp_directory_path() /
           ("rtv-test-" + std::to_string(random()) + "-" + std::to_string(counter++) + suffix))
              .string();
  std::ofstream out(path_, std::ios::binary);
  out << contents;
}

TempFile::~TempFile() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

}  // namespace rtv::test
