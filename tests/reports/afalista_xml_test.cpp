// The VAT-return XML: read back with an XML parser, in Windows-1250, with
// the form identifier, the company's fields escaped, the frequency field,
// the amounts in thousand forints and the totals, and fields without a
// mapping left out but counted.
#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "afalista_fixture.h"
#include "db/cp1250.h"
#include "ledger/demo_company.h"
#include "reports/afaxml.h"
#include "support/test_db.h"

namespace {

struct ParsedXml {
    QString encoding, namespaceUri, formId, version, nev, adoszam, tol, ig;
    QMap<QString, QString> fields;  // eazon -> value
    bool wellFormed = false;
};

ParsedXml parse(const QByteArray& bytes) {
    ParsedXml p;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartDocument()) p.encoding = xml.documentEncoding().toString();
        if (!xml.isStartElement()) continue;
        const QString name = xml.name().toString();
        if (name == "nyomtatvanyok") p.namespaceUri = xml.namespaceUri().toString();
        else if (name == "nyomtatvanyazonosito") p.formId = xml.readElementText();
        else if (name == "nyomtatvanyverzio") p.version = xml.readElementText();
        else if (name == "nev") p.nev = xml.readElementText();
        else if (name == "adoszam") p.adoszam = xml.readElementText();
        else if (name == "tol") p.tol = xml.readElementText();
        else if (name == "ig") p.ig = xml.readElementText();
        else if (name == "mezo") {
            const QString eazon = xml.attributes().value("eazon").toString();
            p.fields.insert(eazon, xml.readElementText());
        }
    }
    p.wellFormed = !xml.hasError();
    return p;
}

class AfaXml : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        afa::PostQuarter();
        setCompany("Kovács & Társa <Bt.> Őrség", 3);
    }
    void setCompany(const QString& nev, int afahonap) {
        ExecSql(d_tarvedo,
                "update CEG set NEV = :NEV, AFAHONAP = :H, ADOSZAM = '12345676-2-43', TELEFON = '06-1 555 0100', "
                "BANKSZAMLA = '11773016-02345678-00000000', AKTUALISEV = '2025'",
                {{"NEV", nev}, {"H", afahonap}});
        db1AfterConnect();
    }
    QByteArray document(const AfalistaCriteria& c = afa::Quarter()) {
        const AfalistaRun r = RunAfalista(c, memory, true);
        return AfaXmlDocument({c.tol, c.ig, "1.2", r.run.table, QDate(2025, 4, 15)});
    }
    AfalistaMemory memory;
};

}  // namespace

TEST_F(AfaXml, HeaderAndMainPageReadBackWellFormed) {
    const QByteArray bytes = document();
    const ParsedXml p = parse(bytes);
    ASSERT_TRUE(p.wellFormed);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"windows-1250\"?>"));
    EXPECT_EQ(p.encoding.toLower(), "windows-1250");
    EXPECT_EQ(p.namespaceUri, AfaXmlNamespace);
    EXPECT_EQ(p.formId, "2565A");
    EXPECT_EQ(p.version, "1.2");
    EXPECT_EQ(p.adoszam, "12345676243");
    EXPECT_EQ(p.tol, "20250101");
    EXPECT_EQ(p.ig, "20250331");
    // The name escaped in the header and in its field, its accented letter
    // in the code page's own byte.
    EXPECT_EQ(p.nev, "Kovács & Társa <Bt.> Őrség");
    EXPECT_EQ(p.fields.value("0A0001C004A"), "Kovács & Társa <Bt.> Őrség");
    EXPECT_EQ(bytes.count("Kov\xe1" "cs &amp; T\xe1rsa &lt;Bt.&gt; \xd5rs\xe9g"), 2);
    EXPECT_EQ(p.fields.value("0A0001C001A"), "12345676243");
    EXPECT_EQ(p.fields.value("0A0001C011A"), "0615550100");
    EXPECT_EQ(p.fields.value("0A0001C022A"), "N");
    EXPECT_EQ(p.fields.value("0A0001C030A"), "11773016");
    EXPECT_EQ(p.fields.value("0A0001C031A"), "0234567800000000");
    EXPECT_EQ(p.fields.value("0A0001C041A"), "20250415");
    EXPECT_EQ(p.fields.value("0F0001C003A"), "20250101");
    // Empty company values write no field.
    EXPECT_FALSE(p.fields.contains("0A0001C002A"));
}

TEST_F(AfaXml, FrequencyField) {
    for (const auto& [afahonap, expected] : QList<std::pair<int, QString>>{{1, "H"}, {3, "N"}, {12, "E"}, {6, ""}}) {
        setCompany("Minta", afahonap);
        const ParsedXml p = parse(document());
        EXPECT_EQ(p.fields.value("0A0001C022A"), expected) << afahonap;
        EXPECT_EQ(p.fields.contains("0A0001C022A"), !expected.isEmpty()) << afahonap;
    }
}

TEST_F(AfaXml, AmountsInThousandsAndTheTotals) {
    // Large enough amounts for thousands: a deductible purchase above the sales.
    afa::Post(afa::Item("SZ", "S7", "001", "521", "454", 2'000'400, "466", "454", 540'108, "SZ-7", "S001"));
    afa::Post(afa::Item("VE", "V7", "001", "311", "911", 1'000'600, "311", "467", 270'162, "VSZ-7", "V001"));
    const ParsedXml p = parse(document());
    // Payable at 27 %: 1000 + 400 (cash sale) - 200 (reversal) + 1 000 600.
    EXPECT_EQ(p.fields.value("0B0007C001A"), "1002");
    EXPECT_EQ(p.fields.value("0B0007C002A"), "270");
    EXPECT_EQ(p.fields.value("0B0005C001A"), "0");
    // Deductible at 27 %: 500 + 1000 - 100 + 100 (cash) + 2 000 400.
    EXPECT_EQ(p.fields.value("0C0066C001A"), "2002");
    EXPECT_EQ(p.fields.value("0C0066C002A"), "541");
    EXPECT_EQ(p.fields.value("0B0061C001A"), "1002");
    EXPECT_EQ(p.fields.value("0B0061C002A"), "270");
    EXPECT_EQ(p.fields.value("0D0076C001A"), "2002");
    EXPECT_EQ(p.fields.value("0D0076C002A"), "541");
    EXPECT_EQ(p.fields.value("0D0077C002A"), "0");
    EXPECT_EQ(p.fields.value("0D0080C002A"), "-271");
    EXPECT_EQ(p.fields.value("0D0081C002A"), "271");
}

TEST_F(AfaXml, FieldWithoutMappingIsLeftOutButCounted) {
    afa::Post(afa::Item("SZ", "S7", "001", "521", "454", 2'000'400, "466", "454", 540'108, "SZ-7", "S001"));
    ExecSql(d_tarvedo, "delete from ANYK_DEF where MEZONEV in ('SZ27ALAP', 'SZ27AFA') and EV = '2025'");
    const ParsedXml p = parse(document());
    EXPECT_FALSE(p.fields.contains("0C0066C001A"));
    EXPECT_FALSE(p.fields.contains("0C0066C002A"));
    EXPECT_EQ(p.fields.value("0D0076C001A"), "2002");
    EXPECT_EQ(p.fields.value("0D0076C002A"), "541");
}

TEST_F(AfaXml, WrittenFileAndItsName) {
    QTemporaryDir dir;
    const AfalistaRun r = RunAfalista(afa::Quarter(), memory);
    const QString file = dir.filePath("afa.xml");
    WriteAfaXml({"2025.01", "2025.03", "1.0", r.run.table, {}}, file);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(parse(f.readAll()).wellFormed);
    EXPECT_EQ(AfaXmlFileName("2025.01", "2025.03"), "AFA_" + Td().ceg.text("KOD") + "_2025.01-2025.03.XML");
    EXPECT_THROW(WriteAfaXml({"2025.01", "2025.03", "1.0", r.run.table, {}}, dir.filePath("nincs/afa.xml")),
                 std::runtime_error);
}

TEST_F(AfaXml, TotalsEqualTheListOnAGeneratedLedger) {
    GenerateDemoCompany(d_tarvedo, {3000, 2025, 5});
    setCompany("Minta", 3);
    AfalistaCriteria c = afa::Quarter();
    c.tol = "2025.07";
    c.ig = "2025.09";
    const ParsedXml p = parse(document(c));
    // The list's totals per side and code, in thousand forints, summed.
    const QString table = memory.table.name;
    qint64 payable = 0, deductible = 0;
    QSqlQuery q = ExecSql(d_tarvedo, "select FIZLEV, KOD, sum(AFA) from " + table + " group by 1, 2");
    while (q.next())
        (q.value(0).toString() == "FIZ" ? payable : deductible) += qRound64(q.value(2).toDouble() / 1000.0);
    EXPECT_GT(payable, 0);
    EXPECT_EQ(p.fields.value("0B0061C002A").toLongLong(), payable);
    EXPECT_EQ(p.fields.value("0D0076C002A").toLongLong(), deductible);
    EXPECT_EQ(p.fields.value("0D0080C002A").toLongLong(), payable - deductible);
}
