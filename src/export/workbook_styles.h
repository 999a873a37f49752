#pragma once
// The cell formats of an exported workbook, made once per workbook and
// shared by its worksheets.
#include <QHash>

#include <xlsxwriter.h>

// How a number is shown.
enum class NumberStyle {
    General,
    Whole,     // "# ### ### ##0"
    Decimal,   // "# ### ### ##0.00"; the point shows as the workstation's separator
    Date,      // "yyyy.mm.dd"
    DateTime,  // "yyyy.mm.dd hh:mm:ss"
    Time,      // "hh:mm:ss"
};

class WorkbookStyles {
public:
    explicit WorkbookStyles(lxw_workbook* workbook) : m_workbook(workbook) {}
    // NULL for a plain cell, which needs no format of its own.
    lxw_format* cell(NumberStyle number, bool bold);
    // The merged report title: bold, centred.
    lxw_format* title();

private:
    lxw_workbook* m_workbook;
    QHash<int, lxw_format*> m_cells;
    lxw_format* m_title = nullptr;
};
