// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Message.h"

#include <algorithm>

namespace rtv {

std::string Message::Text() const {
  const auto end = std::find(payload.begin(), payload.end(), std::uint8_t{0});
  return std::string(payload.begin(), end);
}

std::vector<std::uint8_t> Message::TextPayload(std::string_view text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

}  // namespace rtv
