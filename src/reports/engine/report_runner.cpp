#include "report_runner.h"

#include <QHash>
#include <stdexcept>

#include "db/altproc.h"
#include "export/export_source.h"
#include "report_print.h"
#include "report_row.h"

namespace {

int tenths(double mm) { return qRound(mm * 10); }

}  // namespace

class ReportRunner {
public:
    ReportRunner(const ReportLayout& layout, ExportSource& rows, const ReportRunOptions& options);
    ReportDocument run();

private:
    struct SumSlot {
        int column = -1;                    // the summed column, or
        const RowValue* expression = nullptr;  // the summed expression
        int group = -1;                     // reset when this group starts; -1: the whole report
        double total = 0;
    };
    struct PreparedBand {
        const ReportBand* band = nullptr;
        int height = 0;            // tenths of a millimetre
        std::vector<int> columns;  // per field: the bound column, -1 when none
        std::vector<int> sums;     // per field: its sum slot, -1 when none
        std::vector<FieldPrint> prints;
        bool fieldHooks = false;
    };

    int columnIndex(const QString& name) const;
    void prepare();
    void readRow();
    bool keysChanged(int group) const;
    void newPage(const ReportRow& row);
    bool print(int bandId, const ReportRow& row);
    void fillField(FieldPrint& print, int column, int sum, const ReportRow& row);
    void setPageNumber(FieldPrint& print);

    ReportDocument m_doc;
    const ReportLayout& m_layout;  // the document's copy
    ExportSource& m_rows;
    ReportRunOptions m_options;
    QString m_printDate;

    QHash<QString, int> m_columns;
    QVariantList m_current, m_previous;
    std::vector<std::vector<int>> m_groupKeys;
    std::vector<SumSlot> m_sums;
    std::vector<PreparedBand> m_bands;

    int m_page = 0;
    int m_y = 0, m_top = 0, m_bottom = 0;
    bool m_pageFresh = true;  // nothing but the headers on the page yet
};

ReportRunner::ReportRunner(const ReportLayout& layout, ExportSource& rows, const ReportRunOptions& options)
    : m_doc(layout), m_layout(m_doc.layout()), m_rows(rows), m_options(options) {
    const std::vector<ReportHook> hooks = m_layout.hooks();
    for (const ReportHook& hook : hooks) hook(m_doc.editableLayout());
    m_printDate = DateToText(m_options.printDate);
    m_top = tenths(m_layout.topMargin());
    m_bottom = tenths(m_layout.pageHeight() - m_layout.bottomMargin());
}

int ReportRunner::columnIndex(const QString& name) const {
    const int index = m_columns.value(name.toUpper(), -1);
    if (index < 0) throw std::invalid_argument("the report's rows have no column " + name.toStdString());
    return index;
}

void ReportRunner::prepare() {
    const QList<ExportColumn>& columns = m_rows.columns();
    for (int i = 0; i < columns.size(); ++i) m_columns.insert(columns[i].name.toUpper(), i);
    m_current.resize(columns.size());
    m_previous.resize(columns.size());

    for (const ReportGroup& group : m_layout.groups()) {
        std::vector<int>& keys = m_groupKeys.emplace_back();
        for (const QString& key : group.keys) keys.push_back(columnIndex(key));
    }

    m_bands.resize(m_layout.bandIdLimit());
    for (int id = 0; id < m_layout.bandIdLimit(); ++id) {
        const ReportBand* band = m_layout.band(id);
        if (!band) continue;
        const bool groupBand = band->kind == BandKind::GroupHeader || band->kind == BandKind::GroupFooter;
        PreparedBand& prepared = m_bands[id];
        prepared.band = band;
        prepared.height = tenths(band->height);
        prepared.prints.resize(band->fields.size());
        for (size_t f = 0; f < band->fields.size(); ++f) {
            const ReportField& field = band->fields[f];
            prepared.prints[f].m_field = &field;
            const bool bound = !field.columnName.isEmpty()
                && (field.source == FieldSource::Column || field.source == FieldSource::Sum);
            const int column = bound ? columnIndex(field.columnName) : -1;
            int sum = -1;
            if (field.source == FieldSource::Sum) {
                sum = int(m_sums.size());
                SumSlot& slot = m_sums.emplace_back();
                slot.column = column;
                slot.expression = field.expression ? &field.expression : nullptr;
                slot.group = groupBand ? (id - 4) / 2 : -1;
            }
            prepared.columns.push_back(field.source == FieldSource::Column ? column : -1);
            prepared.sums.push_back(sum);
            prepared.fieldHooks = prepared.fieldHooks || bool(field.hook);
        }
    }
}

void ReportRunner::readRow() {
    for (int c = 0; c < m_current.size(); ++c) m_current[c] = m_rows.value(c);
}

bool ReportRunner::keysChanged(int group) const {
    for (int column : m_groupKeys[group])
        if (m_current.at(column) != m_previous.at(column)) return true;
    return false;
}

void ReportRunner::newPage(const ReportRow& row) {
    m_doc.startPage();
    ++m_page;
    m_y = m_top;
    print(0, row);
    print(1, row);
    m_pageFresh = true;
}

void ReportRunner::setPageNumber(FieldPrint& print) {
    print.m_page = m_page;
    if (print.field().source != FieldSource::PageNumber || print.m_textSet) return;
    print.m_ownValue = m_page;
    print.m_textReady = false;
}

void ReportRunner::fillField(FieldPrint& print, int column, int sum, const ReportRow& row) {
    const ReportField& field = print.field();
    print.m_row = &row;
    print.m_page = m_page;
    print.m_visible = true;
    print.m_textSet = false;
    print.m_colourSet = false;
    print.m_colour = field.colour;
    print.m_textReady = false;  // formatted only when a hook or the page asks
    print.m_value = &print.m_ownValue;
    switch (field.source) {
    case FieldSource::Label:
        print.m_ownValue = field.caption;
        print.m_text = field.caption;  // a caption prints as it stands
        print.m_textReady = true;
        return;
    case FieldSource::Column: print.m_value = &row.at(column); break;
    case FieldSource::Expression: print.m_ownValue = field.expression(row); break;
    case FieldSource::Sum: print.m_ownValue = m_sums[sum].total; break;
    case FieldSource::PrintDate: print.m_ownValue = m_printDate; break;
    case FieldSource::PageNumber: print.m_ownValue = m_page; break;
    case FieldSource::Title: print.m_ownValue = m_layout.title(); break;
    case FieldSource::Picture:  // painted from the file; no text
        print.m_text.clear();
        print.m_textReady = true;
        return;
    }
}

bool ReportRunner::print(int bandId, const ReportRow& row) {
    PreparedBand& prepared = m_bands[bandId];
    if (!prepared.band) return false;
    for (size_t i = 0; i < prepared.prints.size(); ++i)
        fillField(prepared.prints[i], prepared.columns[i], prepared.sums[i], row);

    if (prepared.band->hook) {
        BandPrint band;
        band.m_band = prepared.band;
        band.m_row = &row;
        band.m_fields = &prepared.prints;
        band.m_page = m_page;
        prepared.band->hook(band);
        if (band.suppressed()) return false;
    }
    if (prepared.fieldHooks) {
        for (FieldPrint& print : prepared.prints)
            if (print.field().hook) print.field().hook(print);
    }

    const bool header = bandId <= 1;
    if (!header && m_y + prepared.height > m_bottom && !m_pageFresh) {
        newPage(row);
        for (FieldPrint& print : prepared.prints) setPageNumber(print);
    }
    m_doc.place(bandId, m_y, prepared.prints);
    m_y += prepared.height;
    if (!header) m_pageFresh = false;
    return true;
}

ReportDocument ReportRunner::run() {
    prepare();
    const qint64 total = m_options.expectedRows >= 0 ? m_options.expectedRows : m_rows.rowCount();
    const int groups = int(m_layout.groups().size());
    const ReportRow current(&m_columns, &m_current);
    const ReportRow previous(&m_columns, &m_previous);
    std::vector<double> saved;

    qint64 count = 0;
    for (bool more = m_rows.first(); more; more = m_rows.next()) {
        readRow();
        int changed = count == 0 ? 0 : -1;  // the outermost group that starts with this row
        for (int g = 0; g < groups && changed < 0; ++g)
            if (keysChanged(g)) changed = g;
        if (count == 0) newPage(current);
        if (changed >= 0) {
            if (count > 0) {
                for (int g = groups - 1; g >= changed; --g) print(ReportLayout::groupFooterId(g), previous);
            }
            for (int g = changed; g < groups; ++g) {
                for (SumSlot& slot : m_sums)
                    if (slot.group == g) slot.total = 0;
                if (count > 0 && m_layout.groups()[g].pageBreak && !m_pageFresh) newPage(current);
                print(ReportLayout::groupHeaderId(g), current);
            }
        }

        saved.clear();
        for (SumSlot& slot : m_sums) {
            saved.push_back(slot.total);
            slot.total += slot.column >= 0 ? m_current.at(slot.column).toDouble() : (*slot.expression)(current).toDouble();
        }
        if (m_bands[2].band && !print(2, current)) {
            for (size_t i = 0; i < m_sums.size(); ++i) m_sums[i].total = saved[i];  // not printed, not summed
        }

        std::swap(m_current, m_previous);
        ++count;
        if (m_options.progress && count % 1024 == 0) m_options.progress(count, total);
    }

    // After the loop the last row is the "previous" one.
    if (count == 0) newPage(current);
    for (int g = groups - 1; g >= 0 && count > 0; --g) print(ReportLayout::groupFooterId(g), previous);
    print(3, count > 0 ? previous : current);

    m_doc.setRowCount(count);
    if (m_options.progress) m_options.progress(count, total);
    return m_doc;
}

ReportDocument LayOutReport(const ReportLayout& layout, ExportSource& rows, const ReportRunOptions& options) {
    return ReportRunner(layout, rows, options).run();
}

QStringList RenderToText(const ReportLayout& layout, ExportSource& rows, const ReportRunOptions& options) {
    return LayOutReport(layout, rows, options).text();
}
