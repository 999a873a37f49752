#include "reports/afaxml.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QSqlQuery>
#include <stdexcept>

#include "db/altproc.h"
#include "db/cp1250.h"
#include "db/dat.h"
#include "db/work_file.h"
#include "reports/afalista.h"

namespace {

// A text for the file: escaped for XML, without the control characters XML
// does not allow, and a character Windows-1250 cannot hold written as a
// character reference, so no letter of a name is lost.
QString fileText(const QString& value) {
    const QString escaped = XmlText(value);
    QString out;
    out.reserve(escaped.size());
    for (char32_t c : escaped.toUcs4()) {
        if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') continue;
        const QString ch = QString::fromUcs4(&c, 1);
        if (c < 0x80 || EncodeCp1250(ch) != "?") out += ch;
        else out += QStringLiteral("&#%1;").arg(quint32(c));
    }
    return out;
}

QString element(const QString& name, const QString& text) {
    return u'<' + name + u'>' + text + QStringLiteral("</") + name + u'>';
}

class FormWriter {
public:
    FormWriter(const QString& formId, const QString& year) : m_formId(formId) {
        QSqlQuery q = ExecSql(d_tarvedo,
                              QStringLiteral("Select MEZONEV, LAP, EAZON from ANYK_DEF where NYOMTATVANY = :nyomtatvany "
                                             "and EV = :ev"),
                              {{QStringLiteral("nyomtatvany"), formId}, {QStringLiteral("ev"), year}});
        while (NextRow(q)) m_map.insert(key(q.value(0).toString(), q.value(1).toString()), q.value(2).toString());
    }

    void line(const QString& text) { m_lines << text; }

    // A field on page `page`, or on the spare page when the page has no
    // mapping for it; left out when neither has one, or the value is empty.
    void field(const QString& name, const QString& value, const QString& page, const QString& sparePage = {}) {
        const QString text = fileText(value.trimmed());
        if (text.isEmpty()) return;
        for (const QString& p : {page, sparePage}) {
            if (p.isEmpty()) continue;
            QString l = fieldLine(name, text, p);
            if (!l.isEmpty()) {
                m_lines << l;
                return;
            }
        }
    }

    QString page(const QString& suffix = {}) const { return m_formId + suffix; }
    const QStringList& lines() const { return m_lines; }

private:
    static QString key(const QString& name, const QString& page) { return name + u'\x1f' + page; }

    QString fieldLine(const QString& name, const QString& text, const QString& page) const {
        const QList<QString> found = m_map.values(key(name, page));
        if (found.size() != 1) return {};
        QString l = QStringLiteral("<mezo eazon=\"") + fileText(found.first().trimmed()) + QStringLiteral("\">") + text +
                    QStringLiteral("</mezo>");
        // The identifier template of a repeated page, with empty index parts.
        const qsizetype at = l.indexOf(QLatin1String("XXXX"));
        if (at >= 0 && l.mid(at + 4, 1) == QLatin1String("C")) l.replace(at, 9, QStringLiteral("00C"));
        return l;
    }

    QString m_formId;
    QMultiHash<QString, QString> m_map;
    QStringList m_lines;
};

QString ceg(const QString& column) { return Td().ceg.text(column).trimmed(); }

QString withoutDashes(QString text) {
    text.remove(u'-');
    return text;
}

QString bevgyak(int afahonap) {
    switch (afahonap) {
    case 1: return QStringLiteral("H");
    case 3: return QStringLiteral("N");
    case 12: return QStringLiteral("E");
    default: return {};
    }
}

// Thousand forints, halves away from zero.
qint64 thousands(double amount) { return RoundHalfAway(amount / 1000.0); }

}  // namespace

QString AfaXmlFormId(const QString& ig) { return ig.trimmed().mid(2, 2) + QStringLiteral("65A"); }

QString AfaXmlFileName(const QString& tol, const QString& ig) {
    return QStringLiteral("AFA_") + ceg(QStringLiteral("KOD")) + u'_' + tol.trimmed() + u'-' + ig.trimmed() +
           QStringLiteral(".XML");
}

QByteArray AfaXmlDocument(const AfaXmlInput& input) {
    const QString formId = AfaXmlFormId(input.ig);
    const QString year = input.ig.trimmed().left(4);
    const QString taxNumber = withoutDashes(ceg(QStringLiteral("ADOSZAM")));
    const QString from = AfaPeriodStart(input.tol).remove(u'.');
    const QString to = AfaPeriodEnd(input.ig).remove(u'.');
    const QDate today = input.today.isNull() ? QDate::currentDate() : input.today;

    FormWriter w(formId, year);
    w.line(QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1250\"?>"));
    w.line(QStringLiteral("<nyomtatvanyok xmlns=\"%1\">").arg(AfaXmlNamespace));
    w.line(QStringLiteral("<nyomtatvany>"));
    w.line(QStringLiteral("<nyomtatvanyinformacio>"));
    w.line(element(QStringLiteral("nyomtatvanyazonosito"), formId));
    w.line(element(QStringLiteral("nyomtatvanyverzio"), fileText(input.verzio.trimmed())));
    w.line(QStringLiteral("<adozo>"));
    w.line(element(QStringLiteral("nev"), fileText(ceg(QStringLiteral("NEV")))));
    w.line(element(QStringLiteral("adoszam"), fileText(taxNumber)));
    w.line(QStringLiteral("</adozo>"));
    w.line(QStringLiteral("<idoszak>"));
    w.line(element(QStringLiteral("tol"), from));
    w.line(element(QStringLiteral("ig"), to));
    w.line(QStringLiteral("</idoszak>"));
    w.line(QStringLiteral("</nyomtatvanyinformacio>"));
    w.line(QStringLiteral("<mezok>"));

    // The main page.
    const QString main = w.page();
    const QString bank = withoutDashes(ceg(QStringLiteral("BANKSZAMLA")));
    QString phone = withoutDashes(ceg(QStringLiteral("TELEFON")));
    phone.remove(u' ');
    w.field(QStringLiteral("ADOSZAM"), taxNumber, main);
    w.field(QStringLiteral("ADOJEL"), ceg(QStringLiteral("ADOJEL")), main);
    w.field(QStringLiteral("ELODADOSZAM"), withoutDashes(ceg(QStringLiteral("ELODADOSZAM"))), main);
    w.field(QStringLiteral("NEV"), ceg(QStringLiteral("NEV")), main);
    w.field(QStringLiteral("UGYINTEZO"), ceg(QStringLiteral("BEVALLO")), main);
    w.field(QStringLiteral("UGYINTEL"), phone, main);
    w.field(QStringLiteral("IDOSZAKTOL"), from, main);
    w.field(QStringLiteral("IDOSZAKIG"), to, main);
    w.field(QStringLiteral("BEVGYAK"), bevgyak(Td().ceg.value(QStringLiteral("AFAHONAP")).toInt()), main);
    w.field(QStringLiteral("BANKSZAMLA"), bank.left(8), main);
    w.field(QStringLiteral("BANKSZAMLA2"), bank.mid(8, 16), main);
    w.field(QStringLiteral("BANKNEV"), ceg(QStringLiteral("BANKNEV")), main);
    w.field(QStringLiteral("HELYSEG"), ceg(QStringLiteral("HELYSEG")), main);
    w.field(QStringLiteral("DATUM"), today.toString(QStringLiteral("yyyyMMdd")), main);

    // The sheet headers.
    for (int i = 1; i <= 5; ++i) {
        const QString sheet = w.page(QStringLiteral("-01-0%1").arg(i));
        w.field(QStringLiteral("ADOSZAM"), taxNumber, sheet);
        w.field(QStringLiteral("ADOJEL"), ceg(QStringLiteral("ADOJEL")), sheet);
        w.field(QStringLiteral("IDOSZAKTOL"), from, sheet);
        w.field(QStringLiteral("IDOSZAKIG"), to, sheet);
    }

    // Amounts by side and VAT code, in thousand forints: the payable rows
    // under the customer invoices' journal type, the deductible ones under
    // the supplier invoices', cash sales and purchases with them.
    const AppValues& td = Td();
    // Only rows on a VAT account of their journal type and code count.
    QSet<QString> vatAccounts;
    QSqlQuery accounts = ExecSql(d_tarvedo, QStringLiteral("select NTIPUS, ASZLA, KOD from SZ_ADOASZLA"));
    while (NextRow(accounts))
        vatAccounts.insert(accounts.value(0).toString() + u'\x1f' + accounts.value(1).toString() + u'\x1f' +
                           accounts.value(2).toString());
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select A.FIZLEV, A.KOD, A.NTIPUS, A.AFASZLA, SUM(A.ALAP) ALAP, "
                                                    "SUM(A.AFA) AFA\nfrom ") +
                                         input.table + QStringLiteral(" A\ngroup by A.FIZLEV, A.KOD, A.NTIPUS, A.AFASZLA"));
    QMap<QString, std::pair<double, double>> amounts;  // journal + code -> base, VAT
    while (NextRow(q)) {
        const QString code = q.value(1).toString();
        if (!vatAccounts.contains(q.value(2).toString() + u'\x1f' + q.value(3).toString() + u'\x1f' + code)) continue;
        const QString journal = q.value(0).toString() == AfaFizetendo ? td.VeKod : td.SzKod;
        auto& sums = amounts[journal + u'\x1f' + code.trimmed()];
        sums.first += q.value(4).toDouble();
        sums.second += q.value(5).toDouble();
    }
    const QString sheet1 = w.page(QStringLiteral("-01-01"));
    const QString sheet2 = w.page(QStringLiteral("-01-02"));
    qint64 payableBase = 0, payableVat = 0, deductibleBase = 0, deductibleVat = 0;
    for (auto it = amounts.cbegin(); it != amounts.cend(); ++it) {
        const QString journal = it.key().section(u'\x1f', 0, 0);
        const QString code = it.key().section(u'\x1f', 1, 1);
        const qint64 a = thousands(it.value().first);
        const qint64 b = thousands(it.value().second);
        w.field(journal + code + QStringLiteral("ALAP"), QString::number(a), sheet1, sheet2);
        w.field(journal + code + QStringLiteral("AFA"), QString::number(b), sheet1, sheet2);
        if (journal == td.VeKod) {
            payableBase += a;
            payableVat += b;
        } else {
            deductibleBase += a;
            deductibleVat += b;
        }
    }
    w.field(QStringLiteral("VESUMALAP"), QString::number(payableBase), sheet1);
    w.field(QStringLiteral("VESUMAFA"), QString::number(payableVat), sheet1);
    const QString sheet3 = w.page(QStringLiteral("-01-03"));
    w.field(QStringLiteral("SZSUMALAP"), QString::number(deductibleBase), sheet3);
    w.field(QStringLiteral("SZSUMAFA"), QString::number(deductibleVat), sheet3);
    w.field(QStringLiteral("SUMEIDO"), QStringLiteral("0"), sheet3);
    const qint64 balance = payableVat - deductibleVat;
    w.field(QStringLiteral("SUMAFA"), QString::number(balance), sheet3);
    w.field(QStringLiteral("SUMBEAFA"), QString::number(balance < 0 ? -balance : balance), sheet3);

    w.line(QStringLiteral("</mezok>"));
    w.line(QStringLiteral("</nyomtatvany>"));
    w.line(QStringLiteral("</nyomtatvanyok>"));
    return EncodeCp1250(w.lines().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

void WriteAfaXml(const AfaXmlInput& input, const QString& fileName) {
    const QByteArray bytes = AfaXmlDocument(input);
    if (!WriteWholeFile(fileName, bytes))
        throw std::runtime_error(QStringLiteral("A fájl (%1) nem írható.").arg(fileName).toStdString());
}
