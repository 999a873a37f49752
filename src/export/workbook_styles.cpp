#include "workbook_styles.h"

namespace {

const char* numberFormat(NumberStyle style) {
    switch (style) {
    case NumberStyle::Whole: return "# ### ### ##0";
    case NumberStyle::Decimal: return "# ### ### ##0.00";
    case NumberStyle::Date: return "yyyy.mm.dd";
    case NumberStyle::DateTime: return "yyyy.mm.dd hh:mm:ss";
    case NumberStyle::Time: return "hh:mm:ss";
    case NumberStyle::General: break;
    }
    return nullptr;
}

}  // namespace

lxw_format* WorkbookStyles::cell(NumberStyle number, bool bold) {
    if (number == NumberStyle::General && !bold) return nullptr;
    const int key = int(number) * 2 + (bold ? 1 : 0);
    if (lxw_format* format = m_cells.value(key)) return format;
    lxw_format* format = workbook_add_format(m_workbook);
    if (const char* code = numberFormat(number)) format_set_num_format(format, code);
    if (bold) format_set_bold(format);
    m_cells.insert(key, format);
    return format;
}

lxw_format* WorkbookStyles::title() {
    if (!m_title) {
        m_title = workbook_add_format(m_workbook);
        format_set_bold(m_title);
        format_set_align(m_title, LXW_ALIGN_CENTER);
        format_set_align(m_title, LXW_ALIGN_VERTICAL_CENTER);
    }
    return m_title;
}
