// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/widgets/FreeDebugWindow.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <cmath>

#include "base/Message.h"
#include "base/MessageBus.h"

namespace rtv {

FreeDebugWindow::FreeDebugWindow(QWidget* owner, MessageBus& bus, std::function<void()> closed)
    : QWidget(owner, Qt::Window), bus_(bus), closed_(std::move(closed)), text_(new QPlainTextEdit) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(kCaption);
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(text_);
  if (owner != nullptr) {
    const QRect main = owner->window()->geometry();
    const int height =
        std::max(kMinimumHeight, static_cast<int>(std::lround(kHeightShare * main.height())));
    QRect placed(0, 0, main.width(), height);
    placed.moveCenter(main.center());
    setGeometry(placed);
  }
  subscription_ = bus_.SubscribeTo<msg::DebugText>(
      [this](const msg::DebugText& m) { text_->appendPlainText(QString::fromStdString(m.line)); });
}

FreeDebugWindow::~FreeDebugWindow() {
  subscription_.End();
  if (closed_) closed_();
}

}  // namespace rtv
