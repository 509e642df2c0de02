// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>

#include "service/AdjustWindowActions.h"

class QPushButton;
class QSpacerItem;
class QVBoxLayout;

namespace rtv {

class OverlayText;
class WindowRecordStore;

// The window of adjust mode: the adjustment sheet above a button that reads every value
// from the radio and the OK and Cancel buttons. It reopens where it was last closed.
class AdjustWindow : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kRecordName = "GI_Sheet_Win_AD";

  AdjustWindow(QWidget* owner, OverlayText& overlay, WindowRecordStore& places,
               const AdjustWindowActions& actions);
  ~AdjustWindow() override;

  // The sheet shown above the buttons; the window owns it from here.
  void SetContent(QWidget* content);
  QWidget* Content() const { return content_; }
  QPushButton* UpdateButton() const { return update_; }
  // The two buttons that read one measured squelch level each into the image.
  QPushButton* ReadOneButton(int which) const { return readOne_[which == 0 ? 0 : 1]; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Remember();

  WindowRecordStore& places_;
  std::function<void()> closed_;
  QVBoxLayout* layout_;
  QSpacerItem* spacer_;  // until a sheet is shown
  QWidget* content_ = nullptr;
  QPushButton* update_;
  QPushButton* readOne_[2];
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace rtv
