// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/widgets/PrintPreviewWindow.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "cells/FontMarkup.h"
#include "overlay/OverlayText.h"
#include "platform/qt/QtFonts.h"
#include "print/PrintFontSize.h"
#include "print/PrintJob.h"
#include "print/SheetPaginator.h"
#include "print/widgets/SheetPagePainter.h"

namespace rtv {
namespace {

constexpr int kToolPanelHeight = 25;
constexpr int kPageBoxWidth = 30;
constexpr int kButtonWidth = 70;
constexpr int kStatusPanelWidth = 80;
constexpr int kSurround = 50;
constexpr int kFrameAllowance = 24;
constexpr QRgb kDarkGrey = 0x555555;

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

PrintPreviewWindow::PrintPreviewWindow(PrintJob& job, const PrintSetup& setup,
                                       const PreviewServices& services, QWidget* parent)
    : QDialog(parent), job_(job), setup_(setup), services_(services) {
  setWindowTitle(FromUtf8(services_.overlay.GetFirstLine("GI_Sys_AppTitle")));
  if (services_.overlay.HasKey("CellModel_BasicDialog")) {
    FontDesc formFont;
    ApplyFont(formFont, services_.overlay.GetFirstLine("CellModel_BasicDialog"));
    setFont(ToQFont(formFont));
  }
  BuildParts();
  Repaginate();
  PlaceOnScreen();
}

PrintPreviewWindow::~PrintPreviewWindow() = default;

void PrintPreviewWindow::BuildParts() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* tools = new QToolBar(this);
  tools->setFixedHeight(kToolPanelHeight);
  tools->setIconSize(QSize(16, 16));
  top_ = tools->addAction(services_.icons.top, tr("Top Page"), this, [this] {
    paging_.First();
    ShowPage();
  });
  previous_ = tools->addAction(services_.icons.previous, tr("Previous Page"), this, [this] {
    paging_.Previous();
    ShowPage();
  });
  pageBox_ = new QLineEdit(tools);
  pageBox_->setMaxLength(PreviewPaging::kPageBoxLength);
  pageBox_->setFixedWidth(kPageBoxWidth);
  pageBox_->setToolTip(tr("Page"));
  pageBox_->installEventFilter(this);
  connect(pageBox_, &QLineEdit::returnPressed, this, [this] {
    paging_.GoToTyped(pageBox_->text().toStdString());
    ShowPage();
  });
  tools->addWidget(pageBox_);
  countLabel_ = new QLabel(tools);
  tools->addWidget(countLabel_);
  next_ = tools->addAction(services_.icons.next, tr("Next Page"), this, [this] {
    paging_.Next();
    ShowPage();
  });
  last_ = tools->addAction(services_.icons.last, tr("Last Page"), this, [this] {
    paging_.Last();
    ShowPage();
  });
  zoom_ = tools->addAction(services_.icons.zoom, tr("Zoom"));
  zoom_->setCheckable(true);
  connect(zoom_, &QAction::toggled, this, [this] { FitImage(); });
  setting_ = new QPushButton(tr("&Setting"), tools);
  setting_->setFixedWidth(kButtonWidth);
  setting_->setAutoDefault(false);
  connect(setting_, &QPushButton::clicked, this, &PrintPreviewWindow::OpenSetting);
  tools->addWidget(setting_);
  print_ = new QPushButton(tr("&Print"), tools);
  print_->setFixedWidth(kButtonWidth);
  print_->setAutoDefault(false);
  connect(print_, &QPushButton::clicked, this, &QDialog::accept);
  tools->addWidget(print_);
  layout->addWidget(tools);

  area_ = new QScrollArea(this);
  area_->setAlignment(Qt::AlignCenter);
  area_->setFrameShape(QFrame::NoFrame);
  QPalette dark = area_->palette();
  dark.setColor(QPalette::Window, QColor(kDarkGrey));
  area_->setPalette(dark);
  area_->setBackgroundRole(QPalette::Window);
  area_->setAutoFillBackground(true);
  pageLabel_ = new QLabel;
  pageLabel_->setAlignment(Qt::AlignCenter);
  pageLabel_->setPalette(dark);
  pageLabel_->setBackgroundRole(QPalette::Window);
  area_->setWidget(pageLabel_);
  area_->installEventFilter(this);
  area_->viewport()->installEventFilter(this);
  layout->addWidget(area_, 1);

  auto* status = new QStatusBar(this);
  status->setSizeGripEnabled(false);
  statusPanel_ = new QLabel(status);
  statusPanel_->setFixedWidth(kStatusPanelWidth);
  statusPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  status->addWidget(statusPanel_);
  layout->addWidget(status);
}

void PrintPreviewWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Once the window has its size the page is fitted into it.
  QMetaObject::invokeMethod(
      this, [this] { FitImage(); }, Qt::QueuedConnection);
}

bool PrintPreviewWindow::zoomed() const { return zoom_->isChecked(); }

void PrintPreviewWindow::Repaginate() {
  paginator_ = std::make_unique<SheetPaginator>(services_.metrics, setup_);
  job_.Paginate(*paginator_);
  paging_.SetCount(static_cast<int>(job_.pages().size()));
  countLabel_->setText(QStringLiteral(" / %1").arg(paging_.count()));
  print_->setEnabled(paging_.count() > 0);
  ShowPage();
}

void PrintPreviewWindow::ChangeFontPoints(int points) {
  setup_.fontPoints = std::clamp(points, PrintFontSize::kSmallest, PrintFontSize::kLargest);
  if (services_.storeFontPoints) services_.storeFontPoints(setup_.fontPoints);
  Repaginate();
}

void PrintPreviewWindow::ShowPage() {
  pageBox_->setText(QString::number(paging_.page()));
  statusPanel_->setText(QStringLiteral(" %1 / %2").arg(paging_.page()).arg(paging_.count()));
  top_->setEnabled(paging_.CanGoBack());
  previous_->setEnabled(paging_.CanGoBack());
  next_->setEnabled(paging_.CanGoForward());
  last_->setEnabled(paging_.CanGoForward());
  RenderPage();
  FitImage();
}

void PrintPreviewWindow::RenderPage() {
  // The paper at the screen's resolution, painted exactly as the printer gets it.
  const double scale =
      static_cast<double>(services_.screenDotsPerInch) / std::max(setup_.dotsPerInch, 1);
  const QSize size(std::max(1, static_cast<int>(setup_.pageWidth * scale)),
                   std::max(1, static_cast<int>(setup_.pageHeight * scale)));
  image_ = QImage(size, QImage::Format_RGB32);
  image_.fill(Qt::white);
  QPainter painter(&image_);
  if (paging_.count() > 0) {
    const PrintedPage& page = job_.pages()[static_cast<std::size_t>(paging_.page() - 1)];
    if (Sheet* sheet = job_.SheetOf(page, *paginator_)) {
      painter.save();
      painter.scale(scale, scale);
      SheetPagePainter(*paginator_, services_.style).Paint(painter, *sheet, page);
      painter.restore();
    }
  }
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
}

void PrintPreviewWindow::FitImage() {
  if (image_.isNull()) return;
  if (zoomed()) {
    area_->setWidgetResizable(false);
    pageLabel_->setPixmap(QPixmap::fromImage(image_));
    pageLabel_->resize(image_.size());
    return;
  }
  area_->setWidgetResizable(true);
  const QSize room = area_->viewport()->size();
  pageLabel_->setPixmap(
      QPixmap::fromImage(image_.scaled(room.boundedTo(image_.size() * 4).expandedTo(QSize(1, 1)),
                                       Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void PrintPreviewWindow::PlaceOnScreen() {
  QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : nullptr;
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const QSize wanted = image_.size() + QSize(2 * kSurround, 2 * kSurround + kToolPanelHeight +
                                                                statusPanel_->sizeHint().height());
  if (screen == nullptr) {
    resize(wanted);
    return;
  }
  const QRect work = screen->availableGeometry();
  // The window's own frame and title come on top of what is set here.
  const QSize size = wanted.boundedTo(work.size() - QSize(kFrameAllowance, 2 * kFrameAllowance));
  setGeometry(QRect(work.center() - QPoint(size.width() / 2, size.height() / 2), size));
}

void PrintPreviewWindow::ScrollLine(int dx, int dy) {
  if (dx != 0) {
    QScrollBar* bar = area_->horizontalScrollBar();
    bar->setValue(bar->value() + dx * bar->singleStep());
  }
  if (dy != 0) {
    QScrollBar* bar = area_->verticalScrollBar();
    bar->setValue(bar->value() + dy * bar->singleStep());
  }
}

void PrintPreviewWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageUp:
      previous_->trigger();
      return;
    case Qt::Key_PageDown:
      next_->trigger();
      return;
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const bool up = event->key() == Qt::Key_Up;
      if (zoomed()) {
        ScrollLine(0, up ? -1 : 1);
      } else {
        (up ? previous_ : next_)->trigger();
      }
      return;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
      if (zoomed()) ScrollLine(event->key() == Qt::Key_Left ? -1 : 1, 0);
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

bool PrintPreviewWindow::eventFilter(QObject* watched, QEvent* event) {
  // The page fits the room the scroll area has once its layout settled.
  if (event->type() == QEvent::Resize && watched == area_->viewport() && !zoomed()) FitImage();
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (watched == pageBox_) {
    if (key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown) {
      keyPressEvent(key);
      return true;
    }
    const QString text = key->text();
    if (text.isEmpty() || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      return false;
    }
    const char16_t c = text.front().unicode();
    if (c < 0x20 && c != '\b') return false;  // Escape and the like keep their meaning
    return c > 0x7F || !PreviewPaging::PageBoxAccepts(static_cast<char>(c));
  }
  // The scroll area would scroll by itself: the preview decides.
  switch (key->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
      keyPressEvent(key);
      return true;
    default:
      return QDialog::eventFilter(watched, event);
  }
}

void PrintPreviewWindow::OpenSetting() {
  QDialog dialog(this);
  dialog.setWindowTitle(tr("Setting"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(tr("Font Size: "), &dialog));
  auto* sizes = new QComboBox(&dialog);
  for (int choice = 1; choice <= PrintFontSize::kChoices; ++choice) {
    sizes->addItem(QString::number(choice));
  }
  sizes->setCurrentIndex(PrintFontSize::ChoiceOfPoints(setup_.fontPoints) - 1);
  row->addWidget(sizes);
  layout->addLayout(row);
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* ok =
      buttons->addButton(FromUtf8(services_.overlay.GetLine("GI_AppInd_Button_OkCancel", 0)),
                         QDialogButtonBox::AcceptRole);
  QPushButton* cancel =
      buttons->addButton(FromUtf8(services_.overlay.GetLine("GI_AppInd_Button_OkCancel", 1)),
                         QDialogButtonBox::RejectRole);
  const int width = QFontMetrics(dialog.font())
                        .horizontalAdvance(FromUtf8(
                            services_.overlay.GetFirstLine("GI_AppInd_Opt_ComSel_SizeOfButtons")));
  ok->setMinimumWidth(width);
  cancel->setMinimumWidth(width);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return;
  ChangeFontPoints(PrintFontSize::PointsOfChoice(sizes->currentIndex() + 1));
}

}  // namespace rtv
