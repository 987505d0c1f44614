#include "ControlNames.h"

namespace averlin {

QString RegisterPrefix(Register reg) {
  switch (reg) {
    case Register::A1: return QStringLiteral("Accu1");
    case Register::A2: return QStringLiteral("Accu2");
    case Register::R: break;
  }
  return QStringLiteral("Result");
}

QString ControlName(QStringView r, RegisterControl control, int bit) {
  switch (control) {
    case RegisterControl::Group: return QStringLiteral("GroupBox_%1").arg(r);
    case RegisterControl::HexEdit: return QStringLiteral("Edit_%1Hex").arg(r);
    case RegisterControl::DecEdit: return QStringLiteral("Edit_%1Dec").arg(r);
    case RegisterControl::NetEdit: return QStringLiteral("Edit_%1Net").arg(r);
    case RegisterControl::HexLabel: return QStringLiteral("Label_%1Hex").arg(r);
    case RegisterControl::DecLabel: return QStringLiteral("Label_%1Dec").arg(r);
    case RegisterControl::NetLabel: return QStringLiteral("Label_%1Net").arg(r);
    case RegisterControl::BitBox: return QStringLiteral("CheckBox_%1Bit%2").arg(r).arg(bit);
    case RegisterControl::PositionLabel: return QStringLiteral("Label_%1Bit%2").arg(r).arg(bit);
    case RegisterControl::LsbButton: break;
  }
  return QStringLiteral("btn_%1_LSB").arg(r);
}

QString ControlName(Register reg, RegisterControl control, int bit) {
  return ControlName(RegisterPrefix(reg), control, bit);
}

}  // namespace averlin
