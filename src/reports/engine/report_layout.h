#pragma once
// A banded report layout, declared in code and bound at run time to the rows
// of a query: page header (every page), column header (every page, below the
// page header), group headers and footers keyed by one or more columns,
// detail (one per row), summary (once, at the end). Bands have a fixed height
// and hold text fields placed in millimetres from the left margin.
//
//   ReportLayout r;
//   r.setTitle("Karton");
//   r.setLandscape(true);
//   auto& g = r.addGroup({"SZLA"});
//   auto& d = r.detail(5);
//   d.column("SZLA", 0, 15);
//   d.column("TART_ERT", 200, 30).mask("###,###,###,###").right();
//   g.footer(6).sum("TART_ERT", 200, 30).mask("###,###,###,###").right();
//
// Fields, bands and groups live in deques, so a reference returned while
// declaring stays valid as more are added.
#include <QColor>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "report_row.h"

class FieldPrint;
class BandPrint;
class ReportLayout;

// Sides of a frame around a band or a field.
namespace Frame {
enum : int { None = 0, Top = 1, Bottom = 2, Left = 4, Right = 8, Box = 15 };
}

// What a field prints.
enum class FieldSource {
    Label,       // a fixed caption, which the program may set at run time
    Column,      // a column of the current row
    Expression,  // a value computed from the current row
    Sum,         // the total of a column or expression over the group or the report
    PrintDate,   // the date of printing, "yyyy.mm.dd"
    PageNumber,
    Title,       // the report's title
    Picture      // the picture file named by the caption, fitted into the field
};

using RowValue = std::function<QVariant(const ReportRow&)>;
using FieldHook = std::function<void(FieldPrint&)>;
using BandHook = std::function<void(BandPrint&)>;
using ReportHook = std::function<void(ReportLayout&)>;

struct ReportField {
    FieldSource source = FieldSource::Label;
    QString fieldName;       // how hooks and setText find the field (any case)
    QString caption;         // a label's text
    QString columnName;      // Column, Sum of a column
    RowValue expression;     // Expression, Sum of an expression
    QString displayMask;     // "###,###,##0.00" as FormatMask reads it; empty: as the value is
    QString textPrefix;      // printed before the value, e.g. "Oldal: "
    double x = 0, width = 0; // millimetres from the band's left edge
    int lineIndex = 0;       // which line of a band of several lines
    double topMm = -1, heightMm = -1;  // explicit placement inside the band; -1: by the line
    Qt::Alignment alignment = Qt::AlignLeft;
    double fontSize = 0;     // points; 0: the report's
    bool isBold = false, isItalic = false;
    QColor colour = Qt::black;
    int frames = Frame::None;
    FieldHook hook;

    ReportField& name(const QString& name) { fieldName = name; return *this; }
    ReportField& mask(const QString& mask) { displayMask = mask; return *this; }
    ReportField& prefix(const QString& text) { textPrefix = text; return *this; }
    ReportField& right() { alignment = Qt::AlignRight; return *this; }
    ReportField& center() { alignment = Qt::AlignHCenter; return *this; }
    ReportField& bold(bool on = true) { isBold = on; return *this; }
    ReportField& italic(bool on = true) { isItalic = on; return *this; }
    ReportField& size(double points) { fontSize = points; return *this; }
    ReportField& color(const QColor& c) { colour = c; return *this; }
    ReportField& frame(int sides) { frames = sides; return *this; }
    // On a band of several lines (ReportBand::lines): the 0-based line.
    ReportField& line(int index) { lineIndex = index; return *this; }
    // Free placement inside the band, in millimetres from its top.
    ReportField& place(double top, double height) { topMm = top; heightMm = height; return *this; }
    // Runs just before the field prints; may change its text or colour or hide it.
    ReportField& beforePrint(FieldHook fn) { hook = std::move(fn); return *this; }
};

enum class BandKind { PageHeader, ColumnHeader, GroupHeader, GroupFooter, Detail, Summary };

struct ReportBand {
    BandKind kind = BandKind::Detail;
    double height = 5;   // millimetres
    int lineCount = 1;
    int frames = Frame::None;
    std::deque<ReportField> fields;
    BandHook hook;

    // Splits the band's height into n equal lines for ReportField::line.
    ReportBand& lines(int n) { lineCount = qMax(1, n); return *this; }
    ReportBand& frame(int sides) { frames = sides; return *this; }
    // Runs before the band prints; may suppress it or change its fields.
    ReportBand& beforePrint(BandHook fn) { hook = std::move(fn); return *this; }

    ReportField& label(const QString& text, double x, double width);
    ReportField& column(const QString& column, double x, double width);
    ReportField& value(RowValue fn, double x, double width);
    // A total that starts from zero with each group in a group footer (or
    // header, where it is still zero), and runs over the whole report
    // elsewhere: all rows in the summary, the rows so far in a detail band.
    // Rows whose detail band a hook suppressed are left out.
    ReportField& sum(const QString& column, double x, double width);
    ReportField& sum(RowValue fn, double x, double width);
    ReportField& printDate(double x, double width);
    ReportField& pageNumber(double x, double width);
    ReportField& title(double x, double width);
    // A picture file, scaled to fit the field's box with its proportions;
    // nothing prints when the file cannot be read.
    ReportField& picture(const QString& file, double x, double width);

    ReportField* find(const QString& name);
    const ReportField* find(const QString& name) const;
    // Where a field stands inside the band, in millimetres.
    double fieldTop(const ReportField& field) const;
    double fieldHeight(const ReportField& field) const;

private:
    ReportField& add(FieldSource source, double x, double width);
};

struct ReportGroup {
    QStringList keys;          // a new group starts when any of them changes
    bool pageBreak = false;
    std::optional<ReportBand> headerBand, footerBand;

    ReportBand& header(double height);
    ReportBand& footer(double height);
    // Each group after the first starts on a new page.
    ReportGroup& newPage(bool on = true) { pageBreak = on; return *this; }
};

class ReportLayout {
public:
    void setTitle(const QString& title) { m_title = title; }
    const QString& title() const { return m_title; }
    void setLandscape(bool on) { m_landscape = on; }
    bool landscape() const { return m_landscape; }
    // A4 in millimetres, turned for landscape.
    double pageWidth() const { return m_landscape ? 297 : 210; }
    double pageHeight() const { return m_landscape ? 210 : 297; }
    void setMargins(double left, double top, double right, double bottom);
    double leftMargin() const { return m_margins[0]; }
    double topMargin() const { return m_margins[1]; }
    double rightMargin() const { return m_margins[2]; }
    double bottomMargin() const { return m_margins[3]; }
    // The width between the margins, where fields are placed.
    double contentWidth() const { return pageWidth() - leftMargin() - rightMargin(); }
    void setFont(const QString& family, double points);
    const QString& fontFamily() const { return m_fontFamily; }
    double fontSize() const { return m_fontSize; }

    // Each returns the band, creating it the first time.
    ReportBand& pageHeader(double height);
    ReportBand& columnHeader(double height);
    ReportBand& detail(double height);
    ReportBand& summary(double height);
    // Groups nest in the order they are added, the first outermost.
    ReportGroup& addGroup(const QStringList& keys);

    const std::optional<ReportBand>& pageHeaderBand() const { return m_pageHeader; }
    const std::optional<ReportBand>& columnHeaderBand() const { return m_columnHeader; }
    const std::optional<ReportBand>& detailBand() const { return m_detail; }
    const std::optional<ReportBand>& summaryBand() const { return m_summary; }
    const std::deque<ReportGroup>& groups() const { return m_groups; }

    // Bands by a small number that a laid-out page keeps: 0 page header,
    // 1 column header, 2 detail, 3 summary, then each group's header and footer.
    static int groupHeaderId(int group) { return 4 + 2 * group; }
    static int groupFooterId(int group) { return 5 + 2 * group; }
    const ReportBand* band(int id) const;
    int bandIdLimit() const { return 4 + 2 * int(m_groups.size()); }

    // The field of that name in any band; throws std::invalid_argument when
    // there is none, since that is a mistake in the layout.
    ReportField& field(const QString& name);
    // Sets a label's caption, e.g. the parameter line before printing.
    void setText(const QString& fieldName, const QString& text) { field(fieldName).caption = text; }

    // Runs once before the rows are laid out, on the copy being printed.
    void beforePrint(ReportHook fn) { m_hooks.push_back(std::move(fn)); }
    const std::vector<ReportHook>& hooks() const { return m_hooks; }

private:
    ReportBand& make(std::optional<ReportBand>& slot, BandKind kind, double height);

    QString m_title;
    bool m_landscape = false;
    double m_margins[4] = {10, 10, 10, 10};
    QString m_fontFamily = QStringLiteral("DejaVu Sans");
    double m_fontSize = 8;
    std::optional<ReportBand> m_pageHeader, m_columnHeader, m_detail, m_summary;
    std::deque<ReportGroup> m_groups;
    std::vector<ReportHook> m_hooks;
};
