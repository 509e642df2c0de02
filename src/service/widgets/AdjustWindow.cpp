// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/widgets/AdjustWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

#include "base/WindowRecordStore.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

constexpr int kDefaultWidth = 480;
constexpr int kDefaultHeight = 360;
// The captions of the two buttons that read one squelch level each.
constexpr const char* kReadOneKey = "GI_AppInd_ReadSquelchLevels";

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

AdjustWindow::AdjustWindow(QWidget* owner, OverlayText& overlay, WindowRecordStore& places,
                           const AdjustWindowActions& actions)
    : QWidget(owner, Qt::Window),
      places_(places),
      closed_(actions.closed),
      layout_(new QVBoxLayout(this)),
      spacer_(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding)),
      update_(new QPushButton(Q(overlay.GetFirstLine("GI_AppInd_Update")), this)),
      ok_(new QPushButton(Q(overlay.GetLine("GI_AppInd_Button_OkCancel", 0)), this)),
      cancel_(new QPushButton(Q(overlay.GetLine("GI_AppInd_Button_OkCancel", 1)), this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(Q(overlay.GetFirstLine("GI_Sys_AppTitle")));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(update_);
  for (int which = 0; which < 2; ++which) {
    const std::string caption = overlay.HasKey(kReadOneKey)
                                    ? overlay.GetLine(kReadOneKey, which)
                                    : (which == 0 ? "Read squelch high" : "Read squelch low");
    readOne_[which] = new QPushButton(Q(caption), this);
    buttons->addWidget(readOne_[which]);
    connect(readOne_[which], &QPushButton::clicked, this, [readOne = actions.readOne, which] {
      if (readOne) readOne(which);
    });
  }
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  layout_->addItem(spacer_);
  layout_->addLayout(buttons);
  ok_->setDefault(true);

  connect(update_, &QPushButton::clicked, this, [update = actions.update] {
    if (update) update();
  });
  connect(ok_, &QPushButton::clicked, this, &QWidget::close);
  connect(cancel_, &QPushButton::clicked, this, &QWidget::close);

  const std::optional<WindowRecord> record = places_.FindWindowRecord(kRecordName);
  if (record && record->width > 0 && record->height > 0) {
    setGeometry(record->left, record->top, record->width, record->height);
  } else {
    resize(kDefaultWidth, kDefaultHeight);
    if (owner != nullptr) move(owner->frameGeometry().center() - rect().center());
  }
}

AdjustWindow::~AdjustWindow() = default;

void AdjustWindow::SetContent(QWidget* content) {
  delete content_;
  content_ = content;
  if (content_ == nullptr) return;
  // The sheet takes the room the spacer held.
  if (spacer_ != nullptr) {
    layout_->removeItem(spacer_);
    delete spacer_;
    spacer_ = nullptr;
  }
  content_->setParent(this);
  layout_->insertWidget(0, content_, 1);
}

void AdjustWindow::Remember() {
  WindowRecord record = places_.FindWindowRecord(kRecordName).value_or(WindowRecord{});
  record.name = kRecordName;
  const QRect frame = geometry();
  record.left = frame.x();
  record.top = frame.y();
  record.width = frame.width();
  record.height = frame.height();
  record.windowState = isMaximized() ? 2 : isMinimized() ? 1 : 0;
  places_.StoreWindowRecord(record);
}

void AdjustWindow::closeEvent(QCloseEvent* event) {
  Remember();
  event->accept();
  if (closed_) closed_();
}

}  // namespace rtv
