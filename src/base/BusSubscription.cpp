// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/BusSubscription.h"

namespace rtv {

BusSubscription& BusSubscription::operator=(BusSubscription&& other) noexcept {
  if (this != &other) {
    End();
    entry_ = std::move(other.entry_);
  }
  return *this;
}

void BusSubscription::End() {
  // The handler stays: it may be the one running now. The bus drops the entry later.
  if (entry_ != nullptr) entry_->ended = true;
  entry_.reset();
}

}  // namespace rtv
