#include "app/windows/status_bar.h"

#include <QHBoxLayout>
#include <QLabel>

namespace kubisto::app {

StatusBar::StatusBar(QWidget* parent) : QFrame(parent), layout_(new QHBoxLayout(this)) {
  setObjectName("sbrStatus");
  layout_->setContentsMargins(0, 2, 0, 0);
  layout_->setSpacing(2);
  layout_->addStretch(1);
  AddPanel();  // a status bar starts with one panel
  setFixedHeight(kHeight);
}

QSize StatusBar::sizeHint() const { return {QFrame::sizeHint().width(), kHeight}; }

QSize StatusBar::minimumSizeHint() const { return {QFrame::minimumSizeHint().width(), kHeight}; }

void StatusBar::AddPanel() {
  Panel panel{};
  panel.frame = new QFrame(this);
  panel.frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel.frame->setObjectName(QStringLiteral("sbrStatusPanel%1").arg(panels_.size() + 1));
  auto* row = new QHBoxLayout(panel.frame);
  row->setContentsMargins(2, 1, 2, 1);
  row->setSpacing(2);
  panel.picture = new QLabel(panel.frame);
  panel.picture->setVisible(false);
  panel.text = new QLabel(panel.frame);
  panel.text->setObjectName(panel.frame->objectName() + "Text");
  panel.text->setTextFormat(Qt::PlainText);
  row->addWidget(panel.picture);
  row->addWidget(panel.text, 1);
  panel.frame->setFixedWidth(100);
  layout_->insertWidget(static_cast<int>(panels_.size()), panel.frame);
  panels_.push_back(panel);
}

const StatusBar::Panel* StatusBar::At(int index) const {
  if (index < 1 || index > PanelCount()) return nullptr;
  return &panels_[static_cast<size_t>(index - 1)];
}

void StatusBar::SetPanelWidth(int index, int width) {
  if (const Panel* panel = At(index)) panel->frame->setFixedWidth(std::max(0, width));
}

int StatusBar::PanelWidth(int index) const {
  const Panel* panel = At(index);
  return panel ? panel->frame->minimumWidth() : 0;
}

void StatusBar::SetPanelText(int index, const QString& text) {
  if (const Panel* panel = At(index)) panel->text->setText(text);
}

QString StatusBar::PanelText(int index) const {
  const Panel* panel = At(index);
  return panel ? panel->text->text() : QString();
}

void StatusBar::SetPanelPicture(int index, const QPixmap& picture) {
  const Panel* panel = At(index);
  if (panel == nullptr) return;
  panel->picture->setPixmap(picture);
  panel->picture->setVisible(!picture.isNull());
}

bool StatusBar::PanelHasPicture(int index) const {
  const Panel* panel = At(index);
  return panel != nullptr && !panel->picture->pixmap().isNull();
}

}  // namespace kubisto::app
