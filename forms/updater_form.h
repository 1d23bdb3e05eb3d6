// The updater window, 696 × 443: the log, the hidden save path and address,
// the progress figures and the three buttons. Its behaviour is attached by
// the updater; this class only lays the window out.
#pragma once

#include <QTimer>
#include <QWidget>

#include "forms/ui_updater_form.h"

namespace qimubox {

class UpdaterForm : public QWidget {
  Q_OBJECT

 public:
  explicit UpdaterForm(QWidget* parent = nullptr);

  Ui::UpdaterForm& ui() { return ui_; }
  // `时钟1`, stopped until the download starts.
  QTimer& progressTimer() { return *progressTimer_; }

 private:
  Ui::UpdaterForm ui_;
  QTimer* progressTimer_;
};

}  // namespace qimubox
