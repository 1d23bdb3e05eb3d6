#include "platform/events.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace qimubox {

void processPendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void delayProcessingEvents(int milliseconds) {
  if (milliseconds <= 0) return;
  QDeadlineTimer deadline(milliseconds);
  while (!deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, static_cast<int>(std::min<qint64>(deadline.remainingTime(), 50)));
    QThread::msleep(static_cast<unsigned long>(std::min<qint64>(deadline.remainingTime(), 5)));
  }
}

}  // namespace qimubox
