#include "platform/gbk_convert.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace qimubox {

// Qt reaches GBK through ICU; converters are cheap to make, and a fresh one per
// call keeps the functions safe on any thread.
QString toDisplay(std::string_view gbk) {
  QStringDecoder decoder("GBK");
  return decoder.decode(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
}

std::string fromDisplay(const QString& text) {
  QStringEncoder encoder("GBK");
  const QByteArray bytes = encoder.encode(text);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::filesystem::path toFilePath(std::string_view gbk) {
  return std::filesystem::path(toDisplay(gbk).toStdU16String());
}

std::string fromFilePath(const std::filesystem::path& path) {
  return fromDisplay(QString::fromStdU16String(path.u16string()));
}

}  // namespace qimubox
