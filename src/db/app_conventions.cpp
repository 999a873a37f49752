#include "app_conventions.h"

#include <QLocale>

namespace {
QChar g_decimalSeparator = u'.';
}

void SetAppConventions() {
    const QString point = QLocale::system().decimalPoint();
    g_decimalSeparator = point.isEmpty() ? QChar(u'.') : point.at(0);
}

QChar DecimalSeparator() { return g_decimalSeparator; }

void SetDecimalSeparator(QChar separator) { g_decimalSeparator = separator; }
