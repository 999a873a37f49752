#pragma once
// Printing the general list ("Általános lista") from a window: the preview,
// or the print on one of the workstation's printers.
#include <QString>

class ExportSource;
class QWidget;

class Tfrszotarfm {
public:
    // printerIndex -1: the preview; otherwise the printer of that index
    // among the workstation's printers.
    static void Print(ExportSource& rows, const QString& title, int printerIndex = -1, QWidget* parent = nullptr);
};

// Makes the list builder and the master-data editor print through the
// general list.
void InstallGeneralListPrinter();
