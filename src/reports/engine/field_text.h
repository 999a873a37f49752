#pragma once
// How a field's value prints: NULL as nothing; under a mask a number (or a
// text holding one) through FormatMask; otherwise as a list shows it (texts
// as they are, numbers in general form, dates "yyyy.mm.dd"); then the
// field's prefix before it.
#include <QString>
#include <QVariant>

struct ReportField;

QString FieldText(const ReportField& field, const QVariant& value);

// A numeric value: such a value under a mask is kept as a number on the
// page and formatted only when the page is shown, printed or read.
bool IsNumberValue(const QVariant& value);
