#pragma once
// The general list ("Általános lista"): the rows of any query as lines of
// fixed-pitch text columns under a header line of the column names, with
// the list's title, the date of printing, the page number and the
// company's logo (the picture file named by the setting LOGO_KEP).
#include <QList>
#include <QString>
#include <QVariantList>

#include "reports/engine/report_layout.h"

struct ExportColumn;

// A column of the list: its name, its width in characters and whether its
// values stand at the right.
struct GeneralListColumn {
    QString name;
    int width = 0;  // 2 + the larger of the name's length and the display width
    bool numeric = false;
};

QList<GeneralListColumn> GeneralListColumns(const QList<ExportColumn>& columns);
// The column names, each padded on the right to its width.
QString GeneralListHeader(const QList<GeneralListColumn>& columns);
// A row: texts padded on the right to the width, numbers on the left to
// the width less one and followed by a blank.
QString GeneralListLine(const QList<GeneralListColumn>& columns, const QVariantList& values);

// The layout for the columns of a query. `logoFile`: the picture of the
// page header, left out when empty or missing.
ReportLayout Frszotar(const QString& title, const QList<ExportColumn>& columns, const QString& logoFile = {});
// The picture file the settings name for the page header (LOGO_KEP), or
// empty when the key is missing or the file does not exist.
QString GeneralListLogo();
