// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaObject>
#include <optional>

#include "base/SystemClipboard.h"

namespace rtv {

// The application's clipboard (QGuiApplication::clipboard()). Its text is asked of the
// owning program only after the clipboard changed: the menus ask on every refresh.
class QtSystemClipboard : public SystemClipboard {
 public:
  QtSystemClipboard() = default;
  ~QtSystemClipboard() override;
  QtSystemClipboard(const QtSystemClipboard&) = delete;
  QtSystemClipboard& operator=(const QtSystemClipboard&) = delete;

  std::string Text() const override;
  void SetText(const std::string& text) override;

 private:
  void Follow() const;

  mutable std::optional<std::string> text_;
  mutable QMetaObject::Connection changed_;
};

}  // namespace rtv
