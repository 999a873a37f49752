#pragma once
// Everything a report needs to declare its layout and print it without a
// window: layout, hooks, laying out, text and PDF output, the page header
// of the ledger reports. The preview and the printer are in
// report_preview_window.h and report_printer_window.h.
#include "company_page_header.h"
#include "report_document.h"
#include "report_layout.h"
#include "report_painter.h"
#include "report_print.h"
#include "report_row.h"
#include "report_runner.h"
