#pragma once
// Printing a laid-out report: on A4 in the report's orientation, the pages
// the printer asks for.
class QPrinter;
class QWidget;
class ReportDocument;

// Prints the printer's page range (fromPage() to toPage()), or every page
// when no range is chosen. False when the printer cannot be opened.
bool PrintReport(const ReportDocument& document, QPrinter& printer);

// The printer selection dialog (printer, pages, copies), then the print;
// false when the user cancels.
bool PrintReportWithDialog(const ReportDocument& document, QWidget* parent = nullptr);
