#include "reports/afa_layout_parts.h"

#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>

#include "db/dat.h"
#include "reports/afalista.h"
#include "reports/afalista_sides.h"
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

std::vector<AfaRate> AfaTableRates(const QString& table) {
    QSet<QString> columns;
    {
        QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select * from ") + table + QStringLiteral(" where 1 = 0"));
        const QSqlRecord record = q.record();
        for (int i = 0; i < record.count(); ++i) columns.insert(record.fieldName(i).toUpper());
    }
    std::vector<AfaRate> rates;
    QSqlQuery codes = ExecSql(d_tarvedo, QStringLiteral("select KOD, ERTEK from SZ_ADO order by ERTEK, KOD"));
    while (NextRow(codes)) {
        const QString kod = codes.value(0).toString().trimmed();
        if (columns.contains(AfaColumn(QStringLiteral("ALAP"), kod))) rates.push_back({kod, codes.value(1).toDouble()});
    }
    return rates;
}

void HideAfaDetailUnlessItemised(ReportLayout& layout, bool teteles) {
    if (teteles) return;
    layout.beforePrint([](ReportLayout& printed) { printed.detail(0).fields.clear(); });
}
