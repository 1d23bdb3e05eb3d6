# One interface target carries the warnings, defines and build values for every
# library and executable of the project.
add_library(qimubox_options INTERFACE)
target_compile_options(qimubox_options INTERFACE
  -Wall -Wextra -Wpedantic -Wold-style-cast -Wno-unused-parameter)
target_compile_definitions(qimubox_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_KEYWORDS)
target_include_directories(qimubox_options INTERFACE
  ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)

if(QIMUBOX_SANITIZE)
  set(qimubox_sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(qimubox_options INTERFACE ${qimubox_sanitize_flags})
  target_link_options(qimubox_options INTERFACE ${qimubox_sanitize_flags})
endif()

configure_file(${CMAKE_CURRENT_LIST_DIR}/build_values.h.in
               ${PROJECT_BINARY_DIR}/generated/qimubox/build_values.h @ONLY)
