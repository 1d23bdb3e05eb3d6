#include "platform/gui_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace qimubox {

bool onGuiThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app == nullptr || QThread::currentThread() == app->thread();
}

QObject* guiContext() { return QCoreApplication::instance(); }

void runOnThreadOf(QObject* context, std::function<void()> call) {
  if (context == nullptr) return;
  if (QThread::currentThread() == context->thread()) {
    call();
    return;
  }
  QMetaObject::invokeMethod(context, std::move(call), Qt::QueuedConnection);
}

void runOnThreadOfAndWait(QObject* context, const std::function<void()>& call) {
  if (context == nullptr) return;
  if (QThread::currentThread() == context->thread()) {
    call();
    return;
  }
  QMetaObject::invokeMethod(context, [&call] { call(); }, Qt::BlockingQueuedConnection);
}

}  // namespace qimubox
