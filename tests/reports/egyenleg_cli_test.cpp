// tarvedo-cli report vevo, szallito and egyenlegkozlo on a demo working directory.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "report_engine_samples.h"
#include "support/cli_run.h"

namespace {

class PartnerCli : public DemoWorkdirSuite<PartnerCli, 600> {};

}  // namespace

TEST_F(PartnerCli, LedgersAndLettersToTheirFiles) {
    const QList<QStringList> runs = {
        {"vevo", "--allapot", "4"},
        {"vevo", "--tol", "2025.01.01", "--ig", "2025.06.30", "--ftol", "2025.01.01", "--fig", "2025.12.31"},
        {"szallito", "--allapot", "0"},
        {"egyenlegkozlo", "--datum", "2025.12.31"},
    };
    for (const QStringList& args : runs) {
        for (const QString ext : {"pdf", "xlsx", "txt"}) {
            const QString out = dir->filePath(args.first() + "." + ext);
            const CliResult r = Report(QStringList{args.first(), "--out", out} + args.mid(1));
            SCOPED_TRACE((args.join(' ') + " " + ext).toStdString());
            EXPECT_EQ(r.code, 0) << r.err.toStdString();
            EXPECT_GT(QFileInfo(out).size(), 0);
        }
    }
    EXPECT_EQ(sample::PdfPageSize(dir->filePath("vevo.pdf")), "842 x 595");
    EXPECT_TRUE(sample::PdfPageText(dir->filePath("vevo.pdf"), 1).contains("Vevő folyószámla lista"));
    EXPECT_TRUE(sample::PdfPageText(dir->filePath("szallito.pdf"), 1).contains("Szállítói oldal:"));
    const QString letter = sample::PdfPageText(dir->filePath("egyenlegkozlo.pdf"), 1);
    EXPECT_TRUE(letter.contains("Egyenleg közlő levél"));
    EXPECT_TRUE(letter.contains("2025.12.31. -n az alábbi egyenleg mutatkozik"));
}

TEST_F(PartnerCli, MessagesOfTheRun) {
    struct Case {
        QStringList args;
        QString message;
    };
    const QList<Case> cases = {
        {{"vevo", "--out", "x.txt", "--ugyfel", "NINCS"}, "Nincs ilyen adat."},
        {{"szallito", "--out", "x.txt", "--tol", "2030.01.01"}, "Nincs ilyen adat."},
        {{"vevo", "--out", "x.txt", "--allapot", "7"},
         "Hibás számlatípus (--allapot): 7; 0 kiegyenlített, 1 nem kiegyenlített, 2 határidőn túl kiegyenlített, "
         "3 részben kiegyenlített, 4 mind"},
        {{"vevo", "--out", "x.txt", "--tol", "2025.13.01"}, "Hibás dátum (--tol): 2025.13.01"},
        {{"egyenlegkozlo", "--out", "x.pdf", "--ugyfel", "S00001"}, " Nincs mit nyomtatni "},
    };
    for (const Case& c : cases) {
        const CliResult r = Report(c.args);
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, c.message + "\n");
    }
}
