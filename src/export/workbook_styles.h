#pragma once
// The cell formats of an exported workbook: one fixed table, the same in
// every workbook, so a cell names its format by a number known beforehand.
#include <QByteArray>

// How a number is shown.
enum class NumberStyle {
    General,
    Whole,     // "# ### ### ##0"
    Decimal,   // "# ### ### ##0.00"; the point shows as the workstation's separator
    Date,      // "yyyy.mm.dd"
    DateTime,  // "yyyy.mm.dd hh:mm:ss"
    Time,      // "hh:mm:ss"
};

// The format of a cell; 0 is a plain cell.
inline int CellStyle(NumberStyle number, bool bold) { return int(number) * 2 + (bold ? 1 : 0); }
// The merged report title: bold, centred.
constexpr int kTitleStyle = 12;

// The workbook's styles part, holding the formats above.
QByteArray StylesXml();
