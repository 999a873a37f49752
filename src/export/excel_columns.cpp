#include "excel_columns.h"

namespace {

constexpr int kMaxColumns = 16384;

QChar letter(int offset) { return QChar(u'A' + offset); }

}  // namespace

QString ExcelColumnName(int index) {
    const int n = index + 1;
    if (index < 0 || n > kMaxColumns) return QStringLiteral("NINCS");
    if (n <= 26) return QString(letter(index));
    if (n <= 702) return QString(letter(index / 26 - 1)) + letter(index % 26);
    // Three letters: the same bijective base 26 one place further.
    const int rest = index - 702;  // 0 for AAA
    return QString(letter(rest / 676)) + letter(rest / 26 % 26) + letter(rest % 26);
}

int ExcelColumnIndex(const QString& name) {
    const QString s = name.trimmed().toUpper();
    if (s.isEmpty() || s.size() > 2) return -1;
    for (QChar c : s)
        if (c < u'A' || c > u'Z') return -1;
    if (s.size() == 1) return s.at(0).unicode() - u'A';
    return (s.at(0).unicode() - u'A' + 1) * 26 + (s.at(1).unicode() - u'A');
}
