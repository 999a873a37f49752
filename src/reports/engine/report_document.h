#pragma once
// A laid-out report: its pages as light display lists. A page keeps, for
// each band printed on it, only the band's number, its position and the
// texts of its fields (UTF-8 in one buffer per page), plus the colour or
// visibility of the few fields a hook changed; fonts, frames and geometry
// come from the layout. So a million-row report stays a few bytes a field,
// and painting or printing a page needs no query and no hook.
#include <QColor>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "report_layout.h"

class FieldPrint;

struct PlacedField {
    const ReportField* field = nullptr;
    QString text;
    QColor colour;
    bool visible = true;
};

struct PlacedBand {
    const ReportBand* band = nullptr;
    double top = 0;  // millimetres from the top of the paper
    std::vector<PlacedField> fields;  // in the band's field order
};

class ReportDocument {
public:
    ReportDocument();

    // The layout as printed: after the report's before-print hooks ran.
    const ReportLayout& layout() const;
    int pageCount() const;
    // Rows read from the source.
    qint64 rowCount() const;
    std::vector<PlacedBand> page(int index) const;

    // The page as text, for tests and plain listings: one line for each line
    // of fields of each printed band, the fields in x order joined by " | ";
    // a hidden field is an empty text. Bands without fields give no line.
    QStringList pageText(int index) const;
    // Every page, with a line "\f" before each page after the first.
    QStringList text() const;

private:
    friend class ReportRunner;
    struct Data;
    std::shared_ptr<Data> d;

    // Used while laying out.
    explicit ReportDocument(const ReportLayout& layout);
    ReportLayout& editableLayout();
    void startPage();
    void place(int bandId, int topTenthMm, const std::vector<FieldPrint>& fields);
    void setRowCount(qint64 rows);
};

// The separator of fields on a text line.
inline constexpr const char* ReportTextSeparator = " | ";
