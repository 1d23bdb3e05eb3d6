// Shows one form with sample contents for looking at it by eye:
//   forms_viewer splash|main|updater
#include <QApplication>
#include <QTextStream>
#include <memory>

#include "forms/main_form.h"
#include "forms/splash_form.h"
#include "forms/updater_form.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("main");
  std::unique_ptr<QWidget> form;
  if (which == QStringLiteral("splash")) {
    auto splash = std::make_unique<qimubox::SplashForm>();
    if (argc > 2) {  // the connecting state
      splash->ui().图片框13->hide();
      splash->ui().图片框1->show();
    }
    form = std::move(splash);
  } else if (which == QStringLiteral("updater")) {
    form = std::make_unique<qimubox::UpdaterForm>();
  } else {
    form = std::make_unique<qimubox::MainForm>();
  }
  form->show();
  return application.exec();
}
