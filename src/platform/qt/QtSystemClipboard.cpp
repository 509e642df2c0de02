// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtSystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace rtv {

QtSystemClipboard::~QtSystemClipboard() { QObject::disconnect(changed_); }

void QtSystemClipboard::Follow() const {
  if (changed_) return;
  if (QClipboard* clipboard = QGuiApplication::clipboard(); clipboard != nullptr) {
    changed_ = QObject::connect(clipboard, &QClipboard::dataChanged, [this] { text_.reset(); });
  }
}

std::string QtSystemClipboard::Text() const {
  Follow();
  if (!text_) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    text_ = clipboard != nullptr ? clipboard->text().toStdString() : std::string();
  }
  return *text_;
}

void QtSystemClipboard::SetText(const std::string& text) {
  Follow();
  if (QClipboard* clipboard = QGuiApplication::clipboard(); clipboard != nullptr) {
    clipboard->setText(QString::fromStdString(text));
  }
}

}  // namespace rtv
