// tarvedo-cli report afalista and afaxml on a demo working directory.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "report_engine_samples.h"
#include "support/cli_run.h"

namespace {

class AfalistaCli : public DemoWorkdirSuite<AfalistaCli, 600> {};

}  // namespace

TEST_F(AfalistaCli, BothOrdersToPdfAndTheStoreFormats) {
    for (const QString sorrend : {"0", "1"}) {
        for (const QString ext : {"pdf", "xlsx", "xls", "sql", "txt"}) {
            const QString out = dir->filePath("afa" + sorrend + "." + ext);
            const CliResult r = Run({"report", "afalista", "--tol", "2025.04", "--ig", "2025.06", "--sorrend", sorrend,
                                     "--out", out});
            SCOPED_TRACE((sorrend + "." + ext).toStdString());
            EXPECT_EQ(r.code, 0) << r.err.toStdString();
            EXPECT_GT(QFileInfo(out).size(), 0);
        }
    }
    const QString byAccount = sample::PdfPageText(dir->filePath("afa0.pdf"), 1);
    EXPECT_TRUE(byAccount.contains("ÁFA analitika"));
    EXPECT_TRUE(byAccount.contains("Időszak: 2025.04.01 -> 2025.06.30"));
    EXPECT_TRUE(byAccount.contains("Sorrend: ÁFA kulcs, számlaszám"));
    EXPECT_TRUE(sample::PdfPageText(dir->filePath("afa1.pdf"), 1).contains("Sorrend: Könyvelési bizonylat"));
    EXPECT_EQ(sample::PdfPageSize(dir->filePath("afa0.pdf")), "842 x 595");

    // The totals only: fewer pages than itemised.
    const QString totals = dir->filePath("osszesito.pdf");
    const CliResult r = Run({"report", "afalista", "--tol", "2025.04", "--ig", "2025.06", "--levonhato", "--osszesito",
                             "--out", totals});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(" sor, 1 oldal")) << r.out.toStdString();
}

TEST_F(AfalistaCli, XmlFile) {
    const QString out = dir->filePath("afa.xml");
    const CliResult r = Run({"afaxml", "--tol", "2025.04", "--ig", "2025.06", "--verzio", "2.0", "--out", out});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Az XML file elkészült."));
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(f.readAll());
    QStringList ids;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("nyomtatvanyverzio"))
            ids << xml.readElementText();
    EXPECT_FALSE(xml.hasError());
    EXPECT_EQ(ids, QStringList({"2.0"}));

    // "report afaxml" writes the very same file.
    const QString viaReport = dir->filePath("afa-report.xml");
    const CliResult again =
        Run({"report", "afaxml", "--tol", "2025.04", "--ig", "2025.06", "--verzio", "2.0", "--out", viaReport});
    ASSERT_EQ(again.code, 0) << again.err.toStdString();
    QFile second(viaReport);
    ASSERT_TRUE(f.seek(0) && second.open(QIODevice::ReadOnly));
    EXPECT_EQ(second.readAll(), f.readAll());
}

TEST_F(AfalistaCli, Messages) {
    struct Case {
        QStringList args;
        QString message;
    };
    const QList<Case> cases = {
        {{"report", "afalista", "--tol", "2025.11", "--ig", "2025.10", "--out", "x.pdf"}, "Nincs adat ebben az időszakban."},
        {{"report", "afalista", "--tol", "2025.13", "--ig", "2025.12", "--out", "x.pdf"}, "Hibás hónap: 2025.13 (év.hónap)"},
        {{"report", "afalista", "--sorrend", "2", "--out", "x.pdf"}, "Hibás sorrend (--sorrend 0 vagy 1)."},
        {{"afaxml", "--tol", "2025.1", "--out", "x.xml"}, "Hibás hónap: 2025.1 (év.hónap)"},
    };
    for (const Case& c : cases) {
        const CliResult r = Run(c.args);
        EXPECT_EQ(r.code, 1) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.err, c.message + "\n");
    }
}
