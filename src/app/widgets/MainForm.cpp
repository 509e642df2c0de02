#include "app/widgets/MainForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>

#include "app/AppSettings.h"
#include "app/MainController.h"
#include "app/WindowPlacement.h"
#include "app/widgets/MessagePanel.h"
#include "platform/qt/QtFonts.h"

namespace rtv {
namespace {

ScreenRect WorkAreaNearest(int x, int y) {
  const QPoint point(x, y);
  QScreen* nearest = QGuiApplication::screenAt(point);
  if (nearest == nullptr) {
    // Off every screen: take the screen whose work area is closest to the point.
    long best = -1;
    for (QScreen* screen : QGuiApplication::screens()) {
      const QRect area = screen->availableGeometry();
      const long dx = std::max({area.left() - x, 0, x - area.right()});
      const long dy = std::max({area.top() - y, 0, y - area.bottom()});
      const long distance = dx * dx + dy * dy;
      if (best < 0 || distance < best) {
        best = distance;
        nearest = screen;
      }
    }
  }
  if (nearest == nullptr) nearest = QGuiApplication::primaryScreen();
  if (nearest == nullptr) return {0, 0, 1024, 768};
  const QRect area = nearest->availableGeometry();
  return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

}  // namespace

MainForm::MainForm(MainController& controller, AppSettings& settings)
    : controller_(controller), settings_(settings), messagePanel_(new MessagePanel) {
  const QString title = QString::fromStdString(controller_.ApplicationTitle());
  setWindowTitle(title);
  setFont(ToQFont(controller_.FormFont()));
  QApplication::setApplicationDisplayName(title);
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  statusBar()->addWidget(messagePanel_, 1);
  statusBar()->setSizeGripEnabled(true);
  setCentralWidget(new QWidget);
  PlaceOnScreen();
}

void MainForm::PlaceOnScreen() {
  const ScreenRect wanted{settings_.left, settings_.top, settings_.left + settings_.width,
                          settings_.top + settings_.height};
  const ScreenRect placed = MoveOntoScreen(wanted, WorkAreaNearest);
  resize(std::max(placed.Width(), kMinimumWidth), std::max(placed.Height(), kMinimumHeight));
  move(placed.left, placed.top);
}

void MainForm::ShowSheet(QWidget* pane) { setCentralWidget(pane); }

void MainForm::SetTitle(const std::string& title) { setWindowTitle(QString::fromStdString(title)); }

void MainForm::ShowForm() { show(); }

void MainForm::RedrawMessagePanel() {
  messagePanel_->SetMessage(QString::fromStdString(controller_.MessagePanelText()),
                            controller_.MessagePanelTextColor(),
                            controller_.MessagePanelBackground());
}

void MainForm::closeEvent(QCloseEvent* event) {
  // A radio exchange disables the form; it must finish first.
  if (!isEnabled() || !controller_.QueryClose()) {
    event->ignore();
    return;
  }
  const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
  settings_.left = normal.x();
  settings_.top = normal.y();
  settings_.width = normal.width();
  settings_.height = normal.height();
  controller_.Close();
  event->accept();
}

}  // namespace rtv
