// Finding a control of a form by its object name.
#pragma once

#include <QString>
#include <QWidget>

namespace qimubox {

// The form's child named `name` (UTF-8). The forms are fixed, so a missing
// control is a programming error.
template <class Control>
Control& formControl(QWidget& form, const char* name) {
  auto* found = form.findChild<Control*>(QString::fromUtf8(name));
  Q_ASSERT(found != nullptr);
  return *found;
}

}  // namespace qimubox
