// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/HelpWindow.h"

#include <QAction>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

#include "overlay/OverlayText.h"

namespace rtv {
namespace {

// Window title, Back, Forward, Contents, the find field's hint, the not-found note.
constexpr const char* kTextsKey = "GI_HelpWindow_Texts";
enum class HelpText { Title, Back, Forward, Contents, FindHint, NotFound };

QString Text(OverlayText& overlay, HelpText which) {
  static constexpr const char* kFallbacks[] = {"Help",     "Back",         "Forward",
                                               "Contents", "Find in page", "Not found"};
  const int line = static_cast<int>(which);
  if (overlay.HasKey(kTextsKey)) {
    const std::string text = overlay.GetLine(kTextsKey, line);
    if (!text.empty() && text != "#") return QString::fromStdString(text);
  }
  return QString::fromLatin1(kFallbacks[line]);
}

}  // namespace

HelpWindow::HelpWindow(QWidget* owner, OverlayText& overlay, const QUrl& home)
    : QWidget(owner, Qt::Window), home_(home) {
  setWindowTitle(Text(overlay, HelpText::Title) + " - " +
                 QString::fromStdString(overlay.GetFirstLine("GI_Sys_AppTitle")));
  resize(760, 640);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* bar = new QToolBar;
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  browser_ = new QTextBrowser;
  browser_->setOpenExternalLinks(true);  // web links go to the desktop; help pages stay here

  QAction* back = bar->addAction(QIcon::fromTheme("go-previous"), Text(overlay, HelpText::Back));
  back->setShortcut(QKeySequence::Back);
  back->setEnabled(false);
  connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  QAction* forward = bar->addAction(QIcon::fromTheme("go-next"), Text(overlay, HelpText::Forward));
  forward->setShortcut(QKeySequence::Forward);
  forward->setEnabled(false);
  connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
  QAction* contents =
      bar->addAction(QIcon::fromTheme("go-home"), Text(overlay, HelpText::Contents));
  connect(contents, &QAction::triggered, this, [this] { ShowPage(home_); });
  bar->addSeparator();

  find_ = new QLineEdit;
  find_->setPlaceholderText(Text(overlay, HelpText::FindHint));
  find_->setClearButtonEnabled(true);
  find_->setMaximumWidth(240);
  bar->addWidget(find_);
  notFound_ = new QLabel(" " + Text(overlay, HelpText::NotFound));
  notFound_->setVisible(false);
  bar->addWidget(notFound_);
  connect(find_, &QLineEdit::returnPressed, this, [this] { FindNext(); });
  connect(find_, &QLineEdit::textChanged, this, [this] { notFound_->setVisible(false); });
  auto* findAction = new QAction(this);
  findAction->setShortcut(QKeySequence::Find);
  connect(findAction, &QAction::triggered, find_, [this] {
    find_->setFocus();
    find_->selectAll();
  });
  addAction(findAction);
  auto* findAgain = new QAction(this);
  findAgain->setShortcut(QKeySequence::FindNext);
  connect(findAgain, &QAction::triggered, this, [this] { FindNext(); });
  addAction(findAgain);

  layout->addWidget(bar);
  layout->addWidget(browser_, 1);
}

void HelpWindow::ShowPage(const QUrl& page) {
  if (page.adjusted(QUrl::RemoveFragment) == browser_->source().adjusted(QUrl::RemoveFragment) &&
      page.hasFragment()) {
    browser_->scrollToAnchor(page.fragment());
    browser_->setSource(page);
  } else {
    browser_->setSource(page);
  }
  if (!placed_ && parentWidget() != nullptr) {
    // The first time over the middle of the main window, not in a corner of the screen.
    placed_ = true;
    QRect frame = frameGeometry();
    frame.moveCenter(parentWidget()->frameGeometry().center());
    move(frame.topLeft());
  }
  show();
  raise();
  activateWindow();
}

bool HelpWindow::FindNext(bool backward) {
  const QString text = find_->text();
  if (text.isEmpty()) return false;
  const QTextDocument::FindFlags flags =
      backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  bool found = browser_->find(text, flags);
  if (!found) {
    // Once more from the other end of the page.
    QTextCursor cursor = browser_->textCursor();
    cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    browser_->setTextCursor(cursor);
    found = browser_->find(text, flags);
  }
  notFound_->setVisible(!found);
  return found;
}

}  // namespace rtv
