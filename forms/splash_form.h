// The splash window, 818 × 519 without a title bar: a background picture that
// carries the logo, the connecting animation, "进入软件" and the window's own
// minimise and close buttons. The start-up attaches the behaviour.
#pragma once

#include <QWidget>

#include "forms/ui_splash_form.h"

namespace qimubox {

class SplashForm : public QWidget {
  Q_OBJECT

 public:
  explicit SplashForm(QWidget* parent = nullptr);

  Ui::SplashForm& ui() { return ui_; }

 private:
  Ui::SplashForm ui_;
};

}  // namespace qimubox
