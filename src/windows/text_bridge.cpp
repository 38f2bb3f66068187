#include "windows/text_bridge.h"

#include <QByteArray>
#include <QFile>
#include <QStringDecoder>

#include "text/codepage.h"

namespace pellimore {

QString WorkingToQString(std::string_view bytes) {
  const std::string utf8 = WorkingToUtf8(bytes);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string QStringToWorking(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return Utf8ToWorking(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString PathToQString(std::string_view path) {
  return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string QStringToPath(const QString& path) {
  const QByteArray bytes = QFile::encodeName(path);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FailureToQString(std::string_view what) {
  QStringDecoder decoder(QStringDecoder::Utf8);
  const QString text = decoder(QByteArrayView(what.data(), static_cast<qsizetype>(what.size())));
  return decoder.hasError() ? WorkingToQString(what) : text;
}

}  // namespace pellimore
