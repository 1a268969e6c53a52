// sbrStatus: a status bar of panels side by side, each with an optional picture and a text. Its
// height is fixed, so that the view above it keeps its size whatever the font of its texts.
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
  // The bar's height in pixels, its top margin included: what its panels take with one line of
  // text in 12-pixel (9-point) DejaVu Sans. The text of a taller font is centred in its panel.
  static constexpr int kHeight = 20;

  explicit StatusBar(QWidget* parent = nullptr);

  // The bar reports its fixed height, not the height its texts and pictures would like.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  // Panels are numbered from 1, as in the status bar's own collection.
  int PanelCount() const { return static_cast<int>(panels_.size()); }
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

  QHBoxLayout* layout_;
  std::vector<Panel> panels_;
};

}  // namespace kubisto::app
