#include "forms/form_pictures.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a function of the global namespace.
static void registerFormPictures() { Q_INIT_RESOURCE(form_pictures); }

namespace qimubox {

void loadFormPictures() {
  static const bool registered = (registerFormPictures(), true);
  (void)registered;
}

}  // namespace qimubox
