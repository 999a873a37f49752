#include "report_print.h"

#include <stdexcept>

#include "field_text.h"

const QString& FieldPrint::text() const {
    if (!m_textReady) {
        m_text = FieldText(*m_field, *m_value);
        m_textReady = true;
    }
    return m_text;
}

void FieldPrint::setText(const QString& text) {
    m_text = text;
    m_textReady = true;
    m_textSet = true;
}

FieldPrint& BandPrint::field(const QString& name) {
    for (FieldPrint& print : *m_fields)
        if (print.field().fieldName.compare(name, Qt::CaseInsensitive) == 0) return print;
    throw std::invalid_argument("no field named " + name.toStdString() + " in this band");
}
