// The windows of the customer and supplier ledgers and of the balance
// letters: their modes and captions, the partner's name beside the code,
// the status filter, the preview, the empty result, and the letters' date.
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "db/altproc.h"
#include "reports/egyenleg_window.h"
#include "reports/egyenlegkozlo_window.h"
#include "reports/engine/report_runner.h"
#include "reports/report_params_window.h"
#include "shell/main_menu_window.h"
#include "shell/main_tarvedo_window.h"
#include "shell/shell_test_support.h"
#include "support/test_db.h"

namespace {

// The previews the windows asked for, laid out as text.
struct LaidOutPreviews {
    LaidOutPreviews() {
        SetReportPreview([this](const ReportLayout& layout, ExportSource& rows, QWidget*, QProgressBar*, qint64 n) {
            ReportRunOptions options;
            options.expectedRows = n;
            title = layout.title();
            text = LayOutReport(layout, rows, options).text();
            ++count;
        });
    }
    ~LaidOutPreviews() { SetReportPreview({}); }
    bool hasLine(const QString& part) const {
        return std::any_of(text.cbegin(), text.cend(), [&](const QString& line) { return line.contains(part); });
    }
    int count = 0;
    QString title;
    QStringList text;
};

void Post(const QString& ntipus, const QString& szla, const QString& eszla, double ertek, const QString& ugyfel,
          const QString& szamla, const QString& date) {
    static int serial = 0;
    ++serial;
    ExecSql(d_tarvedo,
            "insert into TETEL (SORSZAM, NTIPUS, KONYVBIZ, SZLA, ESZLA, ERTEK, UGYFELKOD, SZAMLASZAM, TELJKELT, FIZHATIDO, "
            "BIZONYLAT) values (:S, :N, :K, :SZLA, :ESZLA, :E, :U, :SZ, :T, '2025.03.31', '')",
            {{"S", QString::number(serial)}, {"N", ntipus}, {"K", ntipus + QString::number(serial)}, {"SZLA", szla},
             {"ESZLA", eszla}, {"E", ertek}, {"U", ugyfel}, {"SZ", szamla}, {"T", date}});
}

class PartnerWindows : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        db1AfterConnect();
        EgyenlegResultTable().name.clear();  // each test has a database of its own
        Exec("insert into UGYFEL (KOD, NEV, VEVO, SZALLITO, PFJSZ) values ('V1', 'Első Vevő Kft.', 'I', 'N', '11111111-22222222')");
        Exec("insert into UGYFEL (KOD, NEV, VEVO, SZALLITO) values ('S1', 'Szállító Bt.', 'N', 'I')");
        Post("VE", "311", "911", 10000, "V1", "V-1", "2025.03.01");
        Post("BK", "384", "311", 6000, "V1", "V-1", "2025.03.10");
        Post("VE", "311", "911", 2000, "V1", "V-2", "2025.03.02");
        Post("BK", "384", "311", 2000, "V1", "V-2", "2025.03.05");
        Post("SZ", "521", "454", 4000, "S1", "S-1", "2025.03.03");
    }
    LaidOutPreviews previews;
    UserSide user;
};

}  // namespace

TEST_F(PartnerWindows, CustomerLedgerPreviewsTheOpenInvoices) {
    TEgyenlegFM w;
    w.setTag(0);
    w.show();
    EXPECT_EQ(w.windowTitle(), " Vevő folyószámla lista ");
    EXPECT_FALSE(w.isModal());
    EXPECT_EQ(w.szamlajelItems->checkedId(), 1);  // "Nem kiegyenlített"
    w.b_indul->click();
    ASSERT_EQ(previews.count, 1) << user.messages.join('|').toStdString();
    EXPECT_EQ(previews.title, " Vevő folyószámla lista ");
    EXPECT_TRUE(previews.hasLine("Vevői oldal:"));
    EXPECT_TRUE(previews.hasLine("Bankszámla szám | 11111111-22222222"));
    EXPECT_TRUE(previews.hasLine("V-1"));
    EXPECT_FALSE(previews.hasLine("V-2"));
    EXPECT_TRUE(previews.hasLine("Számlatípus: Nem kiegyenlített"));
    // The open items tie out with the control account.
    EXPECT_TRUE(previews.text.contains("Főkönyvi egyenleg (311): | 4 000")) << previews.text.join('\n').toStdString();
    EXPECT_TRUE(previews.text.contains("Eltérés: | 0"));

    w.findChild<QRadioButton*>("rg_szamlajel_0")->click();  // "Kiegyenlített"
    w.b_indul->click();
    ASSERT_EQ(previews.count, 2);
    EXPECT_TRUE(previews.hasLine("V-2"));
    EXPECT_FALSE(previews.hasLine("V-1"));
    EXPECT_FALSE(previews.hasLine("Főkönyvi egyenleg"));

    // Nothing passes: the message, no preview.
    w.E_UGYFELKOD->setText("S1");
    w.b_indul->click();
    EXPECT_EQ(previews.count, 2);
    EXPECT_EQ(user.messages, QStringList({"Nincs ilyen adat."}));
}

TEST_F(PartnerWindows, PartnerNameBesideTheCode) {
    TEgyenlegFM w;
    w.show();
    const QList<std::pair<QString, QString>> cases = {
        {"V1", "Első Vevő Kft."}, {"XX", "Nincs ilyen kódú ügyfél"}, {"", ""}};
    for (const auto& [code, label] : cases) {
        w.E_UGYFELKOD->setText(code);
        w.showPartnerName();
        EXPECT_EQ(w.l_ugyfelnev->text(), label) << code.toStdString();
    }
}

TEST_F(PartnerWindows, SupplierModeFromTheMenuFunction) {
    TEgyenlegFM* w = ShowEgyenlegFM(nullptr, PartnerSide::Suppliers);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->tag(), 1);
    EXPECT_EQ(w->windowTitle(), " Szállító folyószámla lista ");
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->B_letarol->isVisible());
    w->b_indul->click();
    ASSERT_EQ(previews.count, 1) << user.messages.join('|').toStdString();
    EXPECT_TRUE(previews.hasLine("Szállítói oldal:"));
    EXPECT_TRUE(previews.hasLine("S-1"));
    w->close();
    delete w;
}

TEST_F(PartnerWindows, LettersWindowTakesTodayAndNoLaterDate) {
    TegyenlegkozloFm w;
    w.show();
    EXPECT_EQ(FieldText(w.E_IG), DateToText());
    EXPECT_FALSE(w.B_letarol->isVisible());
    w.E_IG->setText(DateToText(QDate::currentDate().addDays(3)));
    w.checkDate();
    EXPECT_EQ(FieldText(w.E_IG), DateToText());
    w.E_IG->setText("2025.03.31");
    w.B_MEGNEZ->click();
    ASSERT_EQ(previews.count, 1) << user.messages.join('|').toStdString();
    EXPECT_EQ(previews.title, "Egyenleg közlő levél");
    EXPECT_TRUE(previews.hasLine("2025.03.31. -n az alábbi egyenleg mutatkozik"));
    EXPECT_TRUE(previews.hasLine("V-1"));
    EXPECT_FALSE(previews.hasLine("V-2"));
}

TEST(PartnerMenu, ItemsOpenTheLedgerInItsModeAndTheLetters) {
    DemoWorkDir work;
    ASSERT_TRUE(work.made);
    UserSide user;
    Tmain_tarvedofm main({QStringLiteral("x")});
    main.runStartup();
    const auto trigger = [&](const char* name) {
        QAction* action = main.menuBar()->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        if (action) action->trigger();
    };
    trigger("Kimenszmlk1");
    auto* ledger = main.findChild<TEgyenlegFM*>();
    ASSERT_NE(ledger, nullptr);
    EXPECT_TRUE(ledger->isVisible());
    EXPECT_FALSE(ledger->isModal());
    EXPECT_EQ(ledger->tag(), 0);
    EXPECT_EQ(ledger->windowTitle(), " Vevő folyószámla lista ");
    trigger("Bejvszmlk1");
    EXPECT_EQ(main.findChild<TEgyenlegFM*>(), ledger);  // one window serves both
    EXPECT_EQ(ledger->tag(), 1);
    EXPECT_EQ(ledger->windowTitle(), " Szállító folyószámla lista ");
    ledger->close();

    QString opened, title;
    WhenModal<QDialog>([&](QDialog* window) {
        opened = QString::fromLatin1(window->metaObject()->className());
        title = window->windowTitle();
        window->reject();
    });
    trigger("Egyenlegkzllevl1");
    EXPECT_EQ(opened, "TegyenlegkozloFm");
    EXPECT_EQ(title, "Egyenlegközlő levél * " + QString::number(work.year));
    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join('|').toStdString();
}
