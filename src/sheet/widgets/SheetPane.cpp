// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/widgets/SheetPane.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/qt/QtFonts.h"

namespace rtv {
namespace {

constexpr int kBevel = 2;
constexpr int kTitlePadding = 8;

}  // namespace

SheetPane::SheetPane(std::unique_ptr<Sheet> sheet, const SheetViewServices& services,
                     QWidget* parent)
    : QWidget(parent),
      sheet_(std::move(sheet)),
      titleFrame_(new QFrame),
      title_(new QLabel),
      panel_(new QFrame) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  titleFrame_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  titleFrame_->setLineWidth(kBevel);
  auto* titleLayout = new QVBoxLayout(titleFrame_);
  titleLayout->setContentsMargins(0, 0, 0, 0);
  title_->setTextFormat(Qt::PlainText);
  title_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  title_->setAutoFillBackground(true);
  titleLayout->addWidget(title_);
  layout->addWidget(titleFrame_);
  titleFrame_->hide();

  sheet_->Build();
  auto* panelLayout = new QVBoxLayout(panel_);
  if (sheet_->embedded()) {
    panel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel_->setLineWidth(1);
    panelLayout->setContentsMargins(2, 2, 2, 2);
  } else {
    panel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel_->setLineWidth(kBevel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
  }
  sheetView_ = new SheetView(*sheet_, services, panel_);
  panelLayout->addWidget(sheetView_);
  layout->addWidget(panel_, 1);
  ShowTitle();
}

SheetPane::~SheetPane() {
  delete sheetView_;  // before the sheet it shows
  sheetView_ = nullptr;
}

void SheetPane::Rebuild() {
  sheet_->Build();
  sheetView_->SheetRebuilt();
  ShowTitle();
}

void SheetPane::ShowTitle() {
  if (!sheet_->title()) {
    titleFrame_->hide();
    return;
  }
  title_->setText(QString::fromStdString(sheet_->TitleText()));
  if (sheet_->titleFont()) title_->setFont(ToQFont(*sheet_->titleFont()));
  QPalette palette = title_->palette();
  palette.setColor(QPalette::Window, ToQColor(sheet_->titleColour()));
  if (sheet_->titleFont())
    palette.setColor(QPalette::WindowText, ToQColor(sheet_->titleFont()->colour));
  title_->setPalette(palette);
  titleFrame_->setFixedHeight(QFontMetrics(title_->font()).height() + kBevel + kTitlePadding);
  titleFrame_->show();
}

}  // namespace rtv
