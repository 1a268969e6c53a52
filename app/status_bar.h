// sbrStatus: a status bar of panels side by side, each with an optional picture and a text.
#pragma once

#include <QFrame>
#include <QPixmap>
#include <QString>
#include <vector>

class QHBoxLayout;
class QLabel;

namespace kubisto::app {

class StatusBar : public QFrame {
  Q_OBJECT
 public:
  explicit StatusBar(QWidget* parent = nullptr);

  // Panels are numbered from 1, as in the status bar's own collection.
  int PanelCount() const { return static_cast<int>(m_panels.size()); }
  void AddPanel();
  void SetPanelWidth(int index, int width);
  int PanelWidth(int index) const;
  void SetPanelText(int index, const QString& text);
  QString PanelText(int index) const;
  // A null picture removes it.
  void SetPanelPicture(int index, const QPixmap& picture);
  bool PanelHasPicture(int index) const;

 private:
  struct Panel {
    QFrame* frame;
    QLabel* picture;
    QLabel* text;
  };
  const Panel* At(int index) const;

  QHBoxLayout* m_layout;
  std::vector<Panel> m_panels;
};

}  // namespace kubisto::app
