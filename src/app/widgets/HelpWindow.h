// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;

namespace rtv {

class OverlayText;

// The program's help: the HTML pages of the help folder in a window of their own, with
// back, forward, the contents page and a search in the page on show. Needs no browser.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // `home` is the contents page; the texts come from the overlay.
  HelpWindow(QWidget* owner, OverlayText& overlay, const QUrl& home);

  // Shows a page (its anchor, when the URL has one) and brings the window forward.
  void ShowPage(const QUrl& page);
  QTextBrowser* Browser() const { return browser_; }
  QLineEdit* FindField() const { return find_; }
  // Finds the next place of the find field's text, from the top after the last one.
  bool FindNext(bool backward = false);

 private:
  QUrl home_;
  QTextBrowser* browser_;
  QLineEdit* find_;
  QLabel* notFound_;
  bool placed_ = false;
};

}  // namespace rtv
