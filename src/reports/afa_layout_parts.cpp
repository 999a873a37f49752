#include "reports/afa_layout_parts.h"

#include <QSqlQuery>

#include "db/dat.h"
#include "reports/afalista.h"
#include "reports/engine/company_page_header.h"

void AddAfaPageHeader(ReportLayout& r, const AfaLayoutTexts& texts) {
    r.setTitle(QStringLiteral("ÁFA analitika"));
    r.setLandscape(true);
    ReportBand& header = AddCompanyPageHeader(r);
    ReportField& period = r.field(QStringLiteral("l_hivparam"));
    period.name(QStringLiteral("l_idoszak"));
    period.width = r.contentWidth() / 2;
    period.caption = texts.idoszak;
    header.label(texts.fajta, r.contentWidth() / 2, r.contentWidth() / 2).name(QStringLiteral("l_fajta")).right().place(12, 5);
}

AfaNames AfaNames::read() {
    AfaNames names;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select KOD, NEV from SZ_NTIP"));
    while (NextRow(q)) names.journals.insert(q.value(0).toString().trimmed(), q.value(1).toString());
    QSqlQuery p = ExecSql(d_tarvedo, QStringLiteral("select KOD, NEV from UGYFEL"));
    while (NextRow(p)) names.partners.insert(p.value(0).toString().trimmed(), p.value(1).toString());
    return names;
}

QString AfaNames::groupCaption(const ReportRow& row) const {
    const QString fizlev = row.text(QStringLiteral("FIZLEV"));
    QString side;
    if (fizlev == AfaFizetendo) side = QStringLiteral(" fizetendő");
    else if (fizlev == AfaLevonhato) side = QStringLiteral(" levonható");
    return journals.value(row.text(QStringLiteral("NTIPUS")).trimmed()) + side;
}

QString AfaNames::partner(const ReportRow& row) const {
    const QString code = row.text(QStringLiteral("UGYFELKOD")).trimmed();
    return partners.value(code, code);
}

double AfaAmount(const ReportRow& row, const QString& column) {
    return row.indexOf(column) >= 0 ? row.number(column) : 0.0;
}

void HideAfaDetailUnlessItemised(ReportLayout& layout, bool teteles) {
    if (teteles) return;
    layout.beforePrint([](ReportLayout& printed) { printed.detail(0).fields.clear(); });
}
