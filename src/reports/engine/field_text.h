#pragma once
// How a field's value prints: NULL as nothing; under a mask a number (or a
// text holding one) through FormatMask; otherwise as a list shows it (texts
// as they are, numbers in general form, dates "yyyy.mm.dd"); then the
// field's prefix before it.
#include <QString>
#include <QVariant>

#include "export/export_source.h"

struct ReportField;

// Numeric values (IsNumberValue) under a mask are kept as numbers on the
// page and formatted only when the page is shown, printed or read.
QString FieldText(const ReportField& field, const QVariant& value);
