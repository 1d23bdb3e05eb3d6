// The forms' pictures live in a resource of this static library; they must be
// registered before a form's picture boxes look them up.
#pragma once

namespace qimubox {

// Registers the forms' pictures once; later calls do nothing.
void loadFormPictures();

}  // namespace qimubox
