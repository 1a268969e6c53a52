#include "app/windows/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

namespace kubisto::app {

int ShowMessageBox(QWidget* parent, const QString& text, int style, const QString& caption) {
  struct Button {
    QMessageBox::StandardButton standard;
    int result;
  };
  std::vector<Button> buttons;
  switch (style & 0x7) {
    case 1:
      buttons = {{QMessageBox::Ok, 1}, {QMessageBox::Cancel, 2}};
      break;
    case 2:
      buttons = {{QMessageBox::Abort, 3}, {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}};
      break;
    case 3:
      buttons = {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}, {QMessageBox::Cancel, 2}};
      break;
    case 4:
      buttons = {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}};
      break;
    case 5:
      buttons = {{QMessageBox::Retry, 4}, {QMessageBox::Cancel, 2}};
      break;
    default:
      buttons = {{QMessageBox::Ok, 1}};
      break;
  }
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (style & 0x70) {
    case 0x10:
      icon = QMessageBox::Critical;
      break;
    case 0x20:
      icon = QMessageBox::Question;
      break;
    case 0x30:
      icon = QMessageBox::Warning;
      break;
    case 0x40:
      icon = QMessageBox::Information;
      break;
    default:
      break;
  }
  if (parent == nullptr) parent = QApplication::activeWindow();
  QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
  for (const Button& b : buttons) box.addButton(b.standard);
  const size_t defaultIndex = (style & 0x200) ? 2 : (style & 0x100) ? 1 : 0;
  if (defaultIndex < buttons.size()) box.setDefaultButton(buttons[defaultIndex].standard);
  // The window's close box answers like Cancel where there is one, else like the only button.
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  for (const Button& b : buttons)
    if (clicked != nullptr && box.standardButton(clicked) == b.standard) return b.result;
  for (const Button& b : buttons)
    if (b.result == 2) return 2;
  return buttons.front().result;
}

}  // namespace kubisto::app
