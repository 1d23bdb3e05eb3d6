#include "forms/updater_form.h"

#include "forms/form_pictures.h"

namespace qimubox {

UpdaterForm::UpdaterForm(QWidget* parent) : QWidget(parent), progressTimer_(new QTimer(this)) {
  loadFormPictures();
  ui_.setupUi(this);
  setFixedSize(696, 443);
  progressTimer_->setObjectName(QStringLiteral("时钟1"));
}

}  // namespace qimubox
