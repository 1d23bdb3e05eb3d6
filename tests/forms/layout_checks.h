// Checks a form's controls against a table of where they must be.
#pragma once

#include <QWidget>
#include <initializer_list>

namespace qimubox::testing {

struct ControlRow {
  const char* name;       // object name (UTF-8)
  const char* className;  // the control must inherit this class
  int x, y, width, height;  // in its parent
  bool visible;             // shown at design time
  const char* text;         // GBK caption or title; nullptr when the control has none to check
};

void expectLayout(const QWidget& form, std::initializer_list<ControlRow> rows);

}  // namespace qimubox::testing
