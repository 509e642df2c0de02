// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/StartPage.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "overlay/OverlayText.h"

namespace rtv {
namespace {

constexpr const char* kTextsKey = "GI_StartPage_Texts";
// Lines of the texts entry.
enum TextLine {
  kModel,
  kFile,
  kPort,
  kRadio,
  kNoRadio,
  kRadioFormat,
  kReadRadio,
  kOpenFile,
  kNew,
  kNoDevice,
  kHint,
  kLineCount
};
constexpr const char* kFallbacks[kLineCount] = {"Model:",
                                                "File:",
                                                "Port:",
                                                "Radio read last:",
                                                "none in this run",
                                                "%1, version %2, serial number %3",
                                                "Read from Radio",
                                                "Open File...",
                                                "New",
                                                "no device",
                                                "Choose a sheet in the tree, or begin here:"};

QPushButton* BigButton(const QString& text, const char* icon) {
  auto* button = new QPushButton(QIcon::fromTheme(icon), text);
  button->setMinimumSize(180, 56);
  QFont font = button->font();
  font.setPointSizeF(font.pointSizeF() * 1.25);
  button->setFont(font);
  return button;
}

}  // namespace

StartPage::StartPage(OverlayText& overlay, ActionHandler onAction, QWidget* parent)
    : QWidget(parent), overlay_(overlay) {
  // The page never pushes the tree aside: what does not fit is cut at the right.
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(32, 24, 32, 24);
  column->setSpacing(16);
  heading_ = new QLabel(QString::fromStdString(overlay.GetFirstLine("GI_Sys_AppTitle")));
  QFont big = heading_->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  heading_->setFont(big);
  column->addWidget(heading_);

  auto* facts = new QFormLayout;
  facts->setLabelAlignment(Qt::AlignLeft);
  model_ = new QLabel;
  file_ = new QLabel;
  port_ = new QLabel;
  radio_ = new QLabel;
  for (QLabel* label : {model_, file_, port_, radio_}) {
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
  }
  facts->addRow(Line(kModel), model_);
  facts->addRow(Line(kFile), file_);
  facts->addRow(Line(kPort), port_);
  facts->addRow(Line(kRadio), radio_);
  column->addLayout(facts);

  column->addWidget(new QLabel(Line(kHint)));
  auto* row = new QHBoxLayout;
  row->setSpacing(16);
  const struct {
    Action action;
    TextLine text;
    const char* icon;
  } actions[] = {{Action::ReadRadio, kReadRadio, "go-down"},
                 {Action::OpenFile, kOpenFile, "document-open"},
                 {Action::New, kNew, "document-new"}};
  for (const auto& entry : actions) {
    QPushButton* button = BigButton(Line(entry.text), entry.icon);
    const Action action = entry.action;
    connect(button, &QPushButton::clicked, this, [onAction, action] { onAction(action); });
    buttons_[static_cast<int>(action)] = button;
    row->addWidget(button);
  }
  row->addStretch(1);
  column->addLayout(row);
  column->addStretch(1);
}

QString StartPage::Line(int index) const {
  if (overlay_.HasKey(kTextsKey)) {
    const std::string text = overlay_.GetLine(kTextsKey, index);
    if (!text.empty() && text != "#") return QString::fromStdString(text);
  }
  return QString::fromUtf8(kFallbacks[index]);
}

void StartPage::Show(const StartFacts& facts) {
  model_->setText(QString::fromStdString(facts.model));
  file_->setText(QString::fromStdString(facts.file));
  port_->setText(QStringLiteral("%1: %2")
                     .arg(facts.portNumber)
                     .arg(QString::fromStdString(facts.PortText(Line(kNoDevice).toStdString()))));
  if (!facts.radioRead) {
    radio_->setText(Line(kNoRadio));
    return;
  }
  QString format = Line(kRadioFormat);
  // The radio does not always say its serial number: then the line leaves out its part.
  const qsizetype serialAt = format.indexOf(QStringLiteral("%3"));
  if (facts.radioSerial.empty() && serialAt >= 0) {
    const qsizetype partAt = format.lastIndexOf(QStringLiteral(", "), serialAt);
    const qsizetype from = partAt >= 0 ? partAt : serialAt;
    format.remove(from, serialAt + 2 - from);
  }
  QString text = format.arg(QString::fromStdString(facts.radioModel)).arg(facts.radioRevision);
  if (text.contains(QStringLiteral("%3")))
    text = text.arg(QString::fromStdString(facts.radioSerial));
  radio_->setText(text);
}

QString StartPage::FactsText() const {
  return QStringList{model_->text(), file_->text(), port_->text(), radio_->text()}.join('\n');
}

}  // namespace rtv
