// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/widgets/CompareWindow.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rtv {

CompareWindow::CompareWindow(QWidget* owner, const QString& text)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      text_(new QPlainTextEdit(this)),
      close_(new QPushButton(tr("Close"), this)) {
  setWindowTitle(kCaption);
  setModal(true);
  text_->setReadOnly(true);
  text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setPlainText(text);
  close_->setDefault(true);
  connect(close_, &QPushButton::clicked, this, &QDialog::reject);  // Escape does the same
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_, 1);
  layout->addWidget(close_, 0, Qt::AlignHCenter);
  if (owner != nullptr) setGeometry(owner->window()->geometry());
}

}  // namespace rtv
