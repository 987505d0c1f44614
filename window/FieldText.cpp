#include "FieldText.h"

#include <QLocale>

namespace averlin {
namespace {

// A byte no routine of the core takes for a digit, a sign or a separator.
constexpr char kBeyondAscii = '\x80';

bool IsAscii(QChar c) { return c.unicode() < 0x80; }

}  // namespace

std::string CoreText(const QString& fieldText) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(fieldText.size()));
  for (const QChar c : fieldText) bytes.push_back(IsAscii(c) ? static_cast<char>(c.unicode()) : kBeyondAscii);
  return bytes;
}

QString FieldText(std::string_view coreText) {
  return QString::fromLatin1(coreText.data(), static_cast<qsizetype>(coreText.size()));
}

char RegionalDecimalSeparator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && IsAscii(point[0]) ? static_cast<char>(point[0].unicode()) : '.';
}

}  // namespace averlin
