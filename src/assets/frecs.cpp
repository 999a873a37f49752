#include "assets/frecs.h"

#include "reports/engine/company_page_header.h"

ReportLayout Frecs(const QString& rllIdoszak) {
    ReportLayout r;
    r.setTitle(QStringLiteral("Értékcsökkenés elszámolása"));
    // The list's columns are made of blanks: a font of fixed width keeps them under each other.
    r.setFont(QStringLiteral("DejaVu Sans Mono"), 8);
    AddCompanyPageHeader(r);
    r.setText(QStringLiteral("l_hivparam"), rllIdoszak);
    r.detail(4).column(QStringLiteral("SOR"), 0, r.contentWidth());
    r.summary(8).label(QStringLiteral("*** lista vége ***"), 0, 60).place(3, 5);
    return r;
}

std::unique_ptr<MemoryExportSource> FrecsRows(const QStringList& memoLines) {
    auto rows = std::make_unique<MemoryExportSource>(QStringLiteral("RLMemo1"));
    rows->addColumn(QStringLiteral("SOR"), QStringLiteral("VARCHAR"), 200);
    for (const QString& line : memoLines) rows->addRow({line});
    return rows;
}
