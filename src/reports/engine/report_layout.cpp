#include "report_layout.h"

#include <stdexcept>

namespace {

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

// ---------------------------------------------------------------- band

ReportField& ReportBand::add(FieldSource source, double x, double width) {
    ReportField& field = fields.emplace_back();
    field.source = source;
    field.x = x;
    field.width = width;
    return field;
}

ReportField& ReportBand::label(const QString& text, double x, double width) {
    ReportField& field = add(FieldSource::Label, x, width);
    field.caption = text;
    return field;
}

ReportField& ReportBand::column(const QString& column, double x, double width) {
    ReportField& field = add(FieldSource::Column, x, width);
    field.columnName = column;
    field.fieldName = column;
    return field;
}

ReportField& ReportBand::value(RowValue fn, double x, double width) {
    ReportField& field = add(FieldSource::Expression, x, width);
    field.expression = std::move(fn);
    return field;
}

ReportField& ReportBand::sum(const QString& column, double x, double width) {
    ReportField& field = add(FieldSource::Sum, x, width);
    field.columnName = column;
    return field;
}

ReportField& ReportBand::sum(RowValue fn, double x, double width) {
    ReportField& field = add(FieldSource::Sum, x, width);
    field.expression = std::move(fn);
    return field;
}

ReportField& ReportBand::printDate(double x, double width) { return add(FieldSource::PrintDate, x, width); }

ReportField& ReportBand::pageNumber(double x, double width) { return add(FieldSource::PageNumber, x, width); }

ReportField& ReportBand::title(double x, double width) { return add(FieldSource::Title, x, width); }

ReportField& ReportBand::picture(const QString& file, double x, double width) {
    ReportField& field = add(FieldSource::Picture, x, width);
    field.caption = file;
    return field;
}

ReportField* ReportBand::find(const QString& name) {
    if (name.isEmpty()) return nullptr;  // unnamed fields are not looked up
    for (ReportField& field : fields)
        if (sameName(field.fieldName, name)) return &field;
    return nullptr;
}

const ReportField* ReportBand::find(const QString& name) const {
    return const_cast<ReportBand*>(this)->find(name);
}

double ReportBand::fieldTop(const ReportField& field) const {
    if (field.topMm >= 0) return field.topMm;
    return height / lineCount * qBound(0, field.lineIndex, lineCount - 1);
}

double ReportBand::fieldHeight(const ReportField& field) const {
    if (field.heightMm >= 0) return field.heightMm;
    return field.topMm >= 0 ? height - field.topMm : height / lineCount;
}

// ---------------------------------------------------------------- group

ReportBand& ReportGroup::header(double height) {
    if (!headerBand) headerBand.emplace().kind = BandKind::GroupHeader;
    headerBand->height = height;
    return *headerBand;
}

ReportBand& ReportGroup::footer(double height) {
    if (!footerBand) footerBand.emplace().kind = BandKind::GroupFooter;
    footerBand->height = height;
    return *footerBand;
}

// ---------------------------------------------------------------- layout

void ReportLayout::setMargins(double left, double top, double right, double bottom) {
    m_margins[0] = left;
    m_margins[1] = top;
    m_margins[2] = right;
    m_margins[3] = bottom;
}

void ReportLayout::setFont(const QString& family, double points) {
    m_fontFamily = family;
    m_fontSize = points;
}

ReportBand& ReportLayout::make(std::optional<ReportBand>& slot, BandKind kind, double height) {
    if (!slot) slot.emplace().kind = kind;
    slot->height = height;
    return *slot;
}

ReportBand& ReportLayout::pageHeader(double height) { return make(m_pageHeader, BandKind::PageHeader, height); }

ReportBand& ReportLayout::columnHeader(double height) { return make(m_columnHeader, BandKind::ColumnHeader, height); }

ReportBand& ReportLayout::detail(double height) { return make(m_detail, BandKind::Detail, height); }

ReportBand& ReportLayout::summary(double height) { return make(m_summary, BandKind::Summary, height); }

ReportGroup& ReportLayout::addGroup(const QStringList& keys) {
    ReportGroup& group = m_groups.emplace_back();
    group.keys = keys;
    return group;
}

const ReportBand* ReportLayout::band(int id) const {
    const std::optional<ReportBand>* slot = nullptr;
    switch (id) {
    case 0: slot = &m_pageHeader; break;
    case 1: slot = &m_columnHeader; break;
    case 2: slot = &m_detail; break;
    case 3: slot = &m_summary; break;
    default:
        if (id < 4 || id >= bandIdLimit()) return nullptr;
        const ReportGroup& group = m_groups[(id - 4) / 2];
        slot = id % 2 == 0 ? &group.headerBand : &group.footerBand;
    }
    return *slot ? &**slot : nullptr;
}

ReportField& ReportLayout::field(const QString& name) {
    for (int id = 0; id < bandIdLimit(); ++id) {
        if (const ReportBand* b = band(id)) {
            if (ReportField* found = const_cast<ReportBand*>(b)->find(name)) return *found;
        }
    }
    throw std::invalid_argument("no report field named " + name.toStdString());
}
