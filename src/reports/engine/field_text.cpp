#include "field_text.h"

#include "db/display_mask.h"
#include "export/export_source.h"
#include "report_layout.h"

QString FieldText(const ReportField& field, const QVariant& value) {
    QString text;
    if (value.isNull() || !value.isValid()) {
        // nothing
    } else if (field.displayMask.isEmpty()) {
        text = ExportValueText(value);
    } else if (!value.isNull() && IsNumberValue(value)) {
        text = FormatMask(value.toDouble(), field.displayMask);
    } else {
        bool number = false;
        const double x = value.toString().trimmed().toDouble(&number);
        text = number ? FormatMask(x, field.displayMask) : value.toString();
    }
    return field.textPrefix.isEmpty() ? text : field.textPrefix + text;
}
