#include "field_text.h"

#include "db/display_mask.h"
#include "export/export_source.h"
#include "report_layout.h"

bool IsNumberValue(const QVariant& value) {
    switch (value.metaType().id()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return !value.isNull();
    default: return false;
    }
}

QString FieldText(const ReportField& field, const QVariant& value) {
    QString text;
    if (value.isNull() || !value.isValid()) {
        // nothing
    } else if (field.displayMask.isEmpty()) {
        text = ExportValueText(value);
    } else if (IsNumberValue(value)) {
        text = FormatMask(value.toDouble(), field.displayMask);
    } else {
        bool number = false;
        const double x = value.toString().trimmed().toDouble(&number);
        text = number ? FormatMask(x, field.displayMask) : value.toString();
    }
    return field.textPrefix.isEmpty() ? text : field.textPrefix + text;
}
