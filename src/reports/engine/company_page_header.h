#pragma once
// The page header every ledger report prints on each page:
//   business year and company name (bold)            "Készült: " date
//   title (larger, bold)                             "Oldal: " page number
//   parameter line
// The year and name come from the open company record when the report is
// laid out; the parameter line is the label "l_hivparam", which the report
// sets before printing: layout.setText("l_hivparam", whivparam).
// Add it after choosing the orientation: the right-hand fields stand at the
// right margin.
class ReportBand;
class ReportLayout;

ReportBand& AddCompanyPageHeader(ReportLayout& layout);
