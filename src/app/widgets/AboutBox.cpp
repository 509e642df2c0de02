// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/AboutBox.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "overlay/OverlayText.h"

namespace rtv {
namespace {

QString Line(OverlayText& overlay, const char* key) {
  return overlay.HasKey(key) ? QString::fromStdString(overlay.GetFirstLine(key)) : QString();
}

}  // namespace

AboutBox::AboutBox(QWidget* owner, OverlayText& overlay, KeyTyped onKey)
    : QDialog(owner), onKey_(std::move(onKey)) {
  const QString title = Line(overlay, "GI_Sys_AppTitle");
  setWindowTitle(title);
  auto* layout = new QVBoxLayout(this);
  auto* name = new QLabel(title);
  QFont bold = name->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  name->setFont(bold);
  layout->addWidget(name);
  layout->addWidget(new QLabel(Line(overlay, "GI_Sys_Rev")));
  layout->addWidget(new QLabel(Line(overlay, "GI_Sys_Maker")));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  // The OK button must not take the typed letters as its own shortcuts.
  buttons->button(QDialogButtonBox::Ok)->setAutoDefault(false);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
}

void AboutBox::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (onKey_ && text.size() == 1 && text[0].unicode() >= 0x20 && text[0].unicode() < 0x7F) {
    onKey_(static_cast<char>(text[0].unicode()));
  }
  QDialog::keyPressEvent(event);
}

}  // namespace rtv
