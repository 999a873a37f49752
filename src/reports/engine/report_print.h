#pragma once
// What a before-print hook sees and may change: the field or band about to
// print, the row behind it and the page it goes on. A change holds for this
// one print only; the layout stays as declared.
#include <QColor>
#include <QString>
#include <QVariant>
#include <vector>

#include "report_layout.h"
#include "report_row.h"

class FieldPrint {
public:
    const ReportField& field() const { return *m_field; }
    // The current row; in a group footer the group's last row, in the
    // summary the report's last row.
    const ReportRow& row() const { return *m_row; }
    // The value before the mask: a column's or expression's value, a sum's total.
    const QVariant& value() const { return *m_value; }
    int pageNumber() const { return m_page; }

    // The text as it will print; formatted when first asked for.
    const QString& text() const;
    void setText(const QString& text);
    const QColor& color() const { return m_colour; }
    void setColor(const QColor& colour) {
        m_colour = colour;
        m_colourSet = true;
    }
    bool visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    void hide() { m_visible = false; }

private:
    friend class ReportRunner;
    friend class ReportDocument;
    const ReportField* m_field = nullptr;
    const ReportRow* m_row = nullptr;
    const QVariant* m_value = &m_ownValue;  // a column's value in the row, or m_ownValue
    QVariant m_ownValue;
    mutable QString m_text;
    mutable bool m_textReady = false;
    QColor m_colour;
    bool m_visible = true;
    bool m_colourSet = false;
    bool m_textSet = false;  // a hook chose the text: it prints as it stands
    int m_page = 0;
};

class BandPrint {
public:
    const ReportBand& band() const { return *m_band; }
    const ReportRow& row() const { return *m_row; }
    int pageNumber() const { return m_page; }
    // The band's field of that name; throws std::invalid_argument when the
    // band has none.
    FieldPrint& field(const QString& name);
    // The band is not printed, and a suppressed detail row is not summed.
    void suppress() { m_suppressed = true; }
    bool suppressed() const { return m_suppressed; }

private:
    friend class ReportRunner;
    const ReportBand* m_band = nullptr;
    const ReportRow* m_row = nullptr;
    std::vector<FieldPrint>* m_fields = nullptr;
    bool m_suppressed = false;
    int m_page = 0;
};
