#include "forms/splash_form.h"

#include "forms/controls/frameless_drag.h"
#include "forms/form_pictures.h"

namespace qimubox {

SplashForm::SplashForm(QWidget* parent) : QWidget(parent) {
  loadFormPictures();
  ui_.setupUi(this);
  setWindowFlag(Qt::FramelessWindowHint);
  setFixedSize(818, 519);
  FramelessDrag::install(this);
}

}  // namespace qimubox
