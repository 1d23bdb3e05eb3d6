// A status bar cut into parts of fixed widths, numbered from 0 from the left.
// The form gives the widths and the parts' first texts. GUI thread only.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <string>
#include <vector>

class QLabel;

namespace qimubox {

class PartStatusBar : public QWidget {
  Q_OBJECT
  // Widths in pixels, separated by commas: "80,50,80".
  Q_PROPERTY(QString partWidths READ partWidths WRITE setPartWidths)
  Q_PROPERTY(QStringList partTexts READ partTexts WRITE setPartTexts)

 public:
  explicit PartStatusBar(QWidget* parent = nullptr);

  QString partWidths() const;
  void setPartWidths(const QString& widths);
  QStringList partTexts() const;
  void setPartTexts(const QStringList& texts);

  int partCount() const { return static_cast<int>(parts_.size()); }
  int partWidth(int part) const;
  // Writing a missing part does nothing; reading it gives the empty text.
  void setPartText(int part, const std::string& gbk);
  std::string partText(int part) const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLabel* labelOf(int part) const;

  std::vector<QLabel*> parts_;
};

}  // namespace qimubox
