// The one hop between the core's GBK bytes and what leaves or enters it:
// widget texts, file paths and addresses handed to the desktop.
#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace qimubox {

QString toDisplay(std::string_view gbk);
std::string fromDisplay(const QString& text);

std::filesystem::path toFilePath(std::string_view gbk);
std::string fromFilePath(const std::filesystem::path& path);

}  // namespace qimubox
