// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QImage>
#include <functional>
#include <memory>

#include "print/PreviewPaging.h"
#include "print/PrintSetup.h"
#include "print/widgets/PreviewIcons.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace rtv {

class OverlayText;
class PrintJob;
class SheetPaginator;
class TextMetrics;
struct PrintStyle;

// What the preview reads and changes around it; all outlive it.
struct PreviewServices {
  OverlayText& overlay;  // the Setting dialog's button texts
  const TextMetrics& metrics;
  const PrintStyle& style;
  PreviewIcons icons;
  std::function<void(int points)> storeFontPoints;  // the Setting dialog's choice
  int screenDotsPerInch = 96;
};

// The pages of a print as they will come out, page by page: the user pages, zooms, changes
// the font size and then prints (accept) or closes (reject).
class PrintPreviewWindow : public QDialog {
  Q_OBJECT

 public:
  PrintPreviewWindow(PrintJob& job, const PrintSetup& setup, const PreviewServices& services,
                     QWidget* parent = nullptr);
  ~PrintPreviewWindow() override;

  // The layout the pages have now (its font size follows the Setting dialog).
  const PrintSetup& setup() const { return setup_; }
  const SheetPaginator& paginator() const { return *paginator_; }
  const PreviewPaging& paging() const { return paging_; }
  // The current page as shown at full size.
  const QImage& pageImage() const { return image_; }
  bool zoomed() const;

  // Sets the font size as the Setting dialog does and cuts the pages again.
  void ChangeFontPoints(int points);

  QAction* topAction() const { return top_; }
  QAction* previousAction() const { return previous_; }
  QAction* nextAction() const { return next_; }
  QAction* lastAction() const { return last_; }
  QAction* zoomAction() const { return zoom_; }
  QLineEdit* pageBox() const { return pageBox_; }
  QLabel* countLabel() const { return countLabel_; }
  QLabel* statusPanel() const { return statusPanel_; }
  QPushButton* settingButton() const { return setting_; }
  QPushButton* printButton() const { return print_; }
  QScrollArea* pageArea() const { return area_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildParts();
  void Repaginate();
  void ShowPage();
  void RenderPage();
  void FitImage();
  void OpenSetting();
  void ScrollLine(int dx, int dy);
  void PlaceOnScreen();

  PrintJob& job_;
  PrintSetup setup_;
  PreviewServices services_;
  std::unique_ptr<SheetPaginator> paginator_;
  PreviewPaging paging_;
  QSize pageDots_;
  QImage image_;
  QAction* top_ = nullptr;
  QAction* previous_ = nullptr;
  QAction* next_ = nullptr;
  QAction* last_ = nullptr;
  QAction* zoom_ = nullptr;
  QLineEdit* pageBox_ = nullptr;
  QLabel* countLabel_ = nullptr;
  QLabel* statusPanel_ = nullptr;
  QPushButton* setting_ = nullptr;
  QPushButton* print_ = nullptr;
  QScrollArea* area_ = nullptr;
  QLabel* pageLabel_ = nullptr;
};

}  // namespace rtv
