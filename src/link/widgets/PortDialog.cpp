// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/widgets/PortDialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <cctype>

#include "base/Prompts.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Leading decimal digits of the trimmed text; 0 when it does not start with one. More
// digits than a port number has cannot name a port either.
int LeadingNumber(const QString& text) {
  const std::string trimmed = text.trimmed().toStdString();
  int value = 0;
  for (const char c : trimmed) {
    if (!std::isdigit(static_cast<unsigned char>(c))) break;
    value = std::min(value * 10 + (c - '0'), 100000);
  }
  return value;
}

// A list that rebuilds its items each time it drops down.
class RefreshingList : public QComboBox {
 public:
  RefreshingList(QWidget* parent, PortDialog& dialog) : QComboBox(parent), dialog_(dialog) {}
  void showPopup() override {
    dialog_.RefreshList();
    QComboBox::showPopup();
  }

 private:
  PortDialog& dialog_;
};

}  // namespace

PortDialog::PortDialog(QWidget* owner, OverlayText& overlay, Prompts& prompts, PortField kind,
                       int currentPort, const PortEnvironment& ports)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      overlay_(overlay),
      prompts_(prompts),
      kind_(kind),
      currentPort_(currentPort),
      ports_(ports),
      notice_(new QLabel(this)),
      number_(new QLineEdit(this)),
      list_(new RefreshingList(this, *this)),
      ok_(new QPushButton(this)),
      cancel_(new QPushButton(this)) {
  setWindowTitle(Q(overlay.GetFirstLine("GI_AppInd_Opt_ComSel_Caption")));
  const QFontMetrics metrics(font());
  const int m = metrics.height();

  notice_->setTextFormat(Qt::PlainText);
  notice_->setText(Q(overlay.GetText("GI_AppInd_Opt_ComSel_Notice")));
  notice_->move(m, m);
  notice_->adjustSize();

  const int fieldLeft = notice_->x() + metrics.horizontalAdvance("WW");
  const int fieldTop = notice_->geometry().bottom() + 1 + m / 2;
  const int fieldHeight = std::max(metrics.height() + 8, number_->sizeHint().height());
  const QString current = QString::number(currentPort);

  number_->setMaxLength(kMaxChars);
  number_->setText(current);
  number_->setAttribute(Qt::WA_InputMethodEnabled, false);
  number_->setGeometry(fieldLeft, fieldTop, metrics.horizontalAdvance("255WWWW"), fieldHeight);

  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  const QString widest =
      kind_ == PortField::FriendlyList ? "33: FT232R USB UART (/dev/ttyUSB0)WW" : "9999WW";
  list_->setEditable(kind_ == PortField::NumberList);
  if (list_->lineEdit() != nullptr) {
    list_->lineEdit()->setMaxLength(kMaxChars);
    list_->lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, false);
    // Completing a typed digit into a port's description would not fit the field.
    list_->setCompleter(nullptr);
    list_->setInsertPolicy(QComboBox::NoInsert);
    // A port chosen from the drop-down puts its number into the field.
    connect(list_, &QComboBox::textActivated, this, [this](const QString& text) {
      list_->setEditText(QString::number(PortNumberOf(text.toStdString())));
    });
  }
  list_->setGeometry(fieldLeft, fieldTop, scrollBar + metrics.horizontalAdvance(widest),
                     fieldHeight);
  number_->setVisible(kind_ == PortField::Number);
  list_->setVisible(kind_ != PortField::Number);
  RefreshList();
  if (kind_ == PortField::NumberList) list_->setEditText(current);
  if (kind_ == PortField::FriendlyList) {
    for (int i = 0; i < list_->count(); ++i) {
      if (PortNumberOf(list_->itemText(i).toStdString()) == currentPort) {
        list_->setCurrentIndex(i);
        break;
      }
    }
  }

  ok_->setText(Q(overlay.GetLine("GI_AppInd_Opt_ComSel_Buttons", 0)));
  cancel_->setText(Q(overlay.GetLine("GI_AppInd_Opt_ComSel_Buttons", 1)));
  ok_->setDefault(true);
  const int buttonWidth =
      metrics.horizontalAdvance(Q(overlay.GetFirstLine("GI_AppInd_Opt_ComSel_SizeOfButtons")));
  const int buttonHeight = 2 * metrics.height();
  const int buttonTop = fieldTop + 4 * fieldHeight;

  QWidget* field = kind_ == PortField::Number ? static_cast<QWidget*>(number_) : list_;
  const int right =
      std::max({metrics.horizontalAdvance(windowTitle()) + 100, notice_->geometry().right(),
                field->geometry().right(), 2 * buttonWidth + m}) +
      m;
  const int width = right + m;
  cancel_->setGeometry(width - m - buttonWidth, buttonTop, buttonWidth, buttonHeight);
  ok_->setGeometry(cancel_->x() - m - buttonWidth, buttonTop, buttonWidth, buttonHeight);
  setFixedSize(width, buttonTop + buttonHeight + m);

  connect(ok_, &QPushButton::clicked, this, &PortDialog::Confirm);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  if (owner != nullptr) {
    move(owner->frameGeometry().center() - QPoint(this->width() / 2, height() / 2));
  }
  field->setFocus();
}

void PortDialog::RefreshList() {
  std::vector<std::string> items;
  if (kind_ == PortField::NumberList) {
    // The drop-down names each port's device; the field keeps the number typed or chosen.
    std::vector<std::string> numbers;
    ListSerialCommPorts(numbers, ports_);
    ListFriendlyPorts(numbers, items, ports_);
  } else if (kind_ == PortField::FriendlyList) {
    std::vector<std::string> numbers;
    ListDosComPorts(numbers, ports_);
    ListFriendlyPorts(numbers, items, ports_);
    KeepCurrentPort(items);
  } else {
    return;
  }
  QStringList texts;
  for (const std::string& item : items) texts << Q(item);
  QStringList old;
  for (int i = 0; i < list_->count(); ++i) old << list_->itemText(i);
  if (texts == old) return;
  const QString typed = list_->currentText();
  const int selected = PortNumberOf(typed.toStdString());
  list_->clear();
  list_->addItems(texts);
  int widest = 0;
  const QFontMetrics metrics(list_->font());
  for (const QString& text : texts) {
    widest = std::max(widest, metrics.horizontalAdvance(text + "WW"));
    if (kind_ == PortField::FriendlyList && PortNumberOf(text.toStdString()) == selected) {
      list_->setCurrentText(text);
    }
  }
  // The typed text stays as it is.
  if (kind_ == PortField::NumberList) list_->setEditText(typed);
  if (list_->count() > list_->maxVisibleItems()) {
    widest += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  }
  list_->view()->setMinimumWidth(std::max(widest, list_->width()));
}

void PortDialog::KeepCurrentPort(std::vector<std::string>& items) const {
  // A port that is unplugged stays in the list as itself: choosing another one in its place
  // without a word would send the next clone to a different device.
  if (currentPort_ < 1 || currentPort_ > kMaxPortNumber) return;
  const auto after = std::find_if(items.begin(), items.end(), [this](const std::string& item) {
    return PortNumberOf(item) >= currentPort_;
  });
  if (after != items.end() && PortNumberOf(*after) == currentPort_) return;
  const std::string path = PortDevicePath(currentPort_, ports_);
  items.insert(after, std::to_string(currentPort_) + ": " + (path.empty() ? "" : path + " ") +
                          "(not connected)");
}

int PortDialog::EnteredNumber() const {
  switch (kind_) {
    case PortField::Number:
      return LeadingNumber(number_->text());
    case PortField::NumberList:
      return LeadingNumber(list_->currentText());
    default:
      return PortNumberOf(list_->currentText().toStdString());
  }
}

void PortDialog::Confirm() {
  const int port = EnteredNumber();
  if (port >= 1 && port <= kMaxPortNumber) {
    chosen_ = port;
    accept();
    return;
  }
  prompts_.Message(overlay_.GetText("GI_AppInd_Opt_ComSel_OutofRange"),
                   overlay_.GetFirstLine("GI_Sys_AppTitle"), PromptIcon::Error, PromptButtons::Ok);
  QWidget* field = kind_ == PortField::Number ? static_cast<QWidget*>(number_) : list_;
  field->setFocus();
}

}  // namespace rtv
