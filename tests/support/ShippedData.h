// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace rtv::test {

// Where the tests find the program's data folder of the source tree and the initial files the
// build writes. The absolute paths are compiled into ShippedData.cpp alone: every other test
// source then compiles the same in any clone, so ccache shares their objects between clones.
std::string DataFile(std::string_view name);
std::string InitialFolder();
std::string InitialFile(std::string_view name);

}  // namespace rtv::test
