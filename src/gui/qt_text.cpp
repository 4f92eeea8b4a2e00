#include "gui/qt_text.h"

#include <QStringDecoder>

namespace tw::gui {

QString ToQt(std::string_view text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
  QString decoded = utf8.decode(bytes);
  if (!utf8.hasError()) return decoded;
  return QString::fromLatin1(bytes);
}

std::string FromQt(const QString& text) { return text.toStdString(); }

QString FromLatin1(std::string_view text) {
  return QString::fromLatin1(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

std::string ToLatin1(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar c : text) out.push_back(c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '?');
  return out;
}

}  // namespace tw::gui
