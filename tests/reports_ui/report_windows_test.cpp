// The parameter windows of the ledger reports: criteria read from their
// fields, the run into the result table, the preview and the store, the
// messages with the focus on the field at fault, and the keyboard.
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

#include "db/display_mask.h"
#include "db/getdatum_window.h"
#include "db/ui_hooks.h"
#include "export/ask_file_name.h"
#include "reports/egyezteto_window.h"
#include "reports/engine/report_preview_window.h"
#include "reports/engine/report_runner.h"
#include "reports/fokiv_window.h"
#include "reports/karton_window.h"
#include "reports/knaplo_window.h"
#include "reports/report_params_window.h"
#include "reports/ledger_items.h"
#include "shell/shell_test_support.h"
#include "support/test_db.h"

namespace {

// The previews the windows asked for, laid out as text.
struct Previews {
    Previews() {
        SetReportPreview([this](const ReportLayout& layout, ExportSource& rows, QWidget* parent, QProgressBar*, qint64 n) {
            ++count;
            this->parent = parent;
            ReportRunOptions options;
            options.expectedRows = n;
            text = LayOutReport(layout, rows, options).text();
        });
    }
    ~Previews() { SetReportPreview({}); }
    bool hasLine(const QString& part) const {
        return std::any_of(text.cbegin(), text.cend(), [&](const QString& line) { return line.contains(part); });
    }
    int count = 0;
    QWidget* parent = nullptr;
    QStringList text;
};

// The save dialog answers with a file of the test's folder, or cancels.
struct SaveDialogs {
    explicit SaveDialogs(const QString& file) {
        SetSaveDialog([this, file](SaveDialogState& state) {
            ++count;
            state.fileName = file;
            state.filterIndex = ExportFilterIndex(ExportFileExtension(file));
            return true;
        });
    }
    ~SaveDialogs() { SetSaveDialog({}); }
    int count = 0;
};

QLineEdit* field(QWidget* window, const char* name) { return window->findChild<QLineEdit*>(QString::fromLatin1(name)); }
QPushButton* button(QWidget* window, const char* name) {
    return window->findChild<QPushButton*>(QString::fromLatin1(name));
}

// The window shown and active, so that the focus can be seen.
void showActive(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    ProcessUntil([window] { return window->isActiveWindow(); });
}

class ReportWindows : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        db1AfterConnect();
        items::PostSample();
        items::Post({{"521", "454", 300, "SZ", "2025.04.05", "S1", "4"}});
    }
    Previews previews;
    UserSide user;
    QTemporaryDir dir;
};

}  // namespace

TEST_F(ReportWindows, TrialBalanceRunsIntoItsRememberedTableAndPreviews) {
    TFokivfm w;
    w.E_KDATUMTOL->setText("2025.02.01");
    w.CB_csakgyujto->setChecked(true);
    w.b_indul->click();

    ASSERT_EQ(previews.count, 1) << user.messages.join('|').toStdString();
    EXPECT_EQ(previews.parent, &w);
    EXPECT_TRUE(user.messages.isEmpty());
    const QString table = w.wtmp_name.name;
    EXPECT_TRUE(table.startsWith("TMP_FOKIV_")) << table.toStdString();
    EXPECT_EQ(items::Rows("select * from " + table + " order by SZLA", {"SZLA", "TART_ERT", "KOV_ERT"}),
              QStringList({"3 | 1500 | 1000", "31 | 500 | 1000", "38 | 1000 | 0", "4 | 0 | 300", "45 | 0 | 300",
                           "5 | 300 | 0", "52 | 300 | 0", "9 | 0 | 500", "91 | 0 | 500"}));
    EXPECT_TRUE(previews.hasLine("Lekérdezés csak gyűjtőre"));
    EXPECT_GT(w.ProgressBar1->maximum(), 0);
    EXPECT_EQ(w.ProgressBar1->value(), w.ProgressBar1->maximum());

    // The next run empties and refills the same table.
    w.CB_csakgyujto->setChecked(false);
    w.b_indul->click();
    EXPECT_EQ(previews.count, 2);
    EXPECT_EQ(w.wtmp_name.name, table);
    EXPECT_TRUE(previews.hasLine("311"));

    // Dropped by the clean-up meanwhile: the next show forgets it.
    Exec("drop table " + table);
    w.show();
    EXPECT_TRUE(w.wtmp_name.name.isEmpty());
    EXPECT_EQ(w.ProgressBar1->value(), 0);
    w.b_indul->click();
    EXPECT_EQ(previews.count, 3);
    EXPECT_FALSE(w.wtmp_name.name.isEmpty());
}

TEST_F(ReportWindows, TrialBalanceForAnotherCallerFillsTheTableOnly) {
    TFokivfm w;
    w.whivo = FokivCallerEredmeny;
    w.E_KDATUMTOL->setText("2030.01.01");  // nothing qualifies: still no message
    w.b_indul->click();
    EXPECT_EQ(previews.count, 0);
    EXPECT_TRUE(user.messages.isEmpty());
    ASSERT_FALSE(w.wtmp_name.name.isEmpty());
    EXPECT_EQ(CountRows(w.wtmp_name.name), 0);
}

TEST_F(ReportWindows, AnEmptyResultIsToldAndNeitherPreviewedNorStored) {
    struct Case {
        const char* what;
        std::function<QDialog*()> make;
        const char* letarol;
        QString message;
    };
    const Case cases[] = {
        {"trial balance",
         [] {
             auto* w = new TFokivfm;
             w->E_KDATUMTOL->setText("2030.01.01");
             return w;
         },
         "B_letarol", "Nincs mit nyomtatni"},
        {"account cards",
         [] {
             auto* w = new TKartonFm;
             w->e_szlaoszt->setText("311");
             w->E_NTIPUS->setText("SZ");
             return w;
         },
         "B_letarol", NothingToPrint},
        {"journal",
         [] {
             auto* w = new TKnaploFm;
             w->e_ntipus->setText("VE");
             w->e_teljkelt_ig->setText("2024.12.31");
             return w;
         },
         "b_letarol", NothingToPrint},
    };
    SaveDialogs saves(dir.filePath("ures.txt"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        user.messages.clear();
        std::unique_ptr<QDialog> w(c.make());
        button(w.get(), "b_indul")->click();
        button(w.get(), c.letarol)->click();
        EXPECT_EQ(user.messages, QStringList({c.message, c.message}));
    }
    EXPECT_EQ(previews.count, 0);
    EXPECT_EQ(saves.count, 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("ures.txt")));
}

TEST_F(ReportWindows, AMissingRequiredCriterionIsToldWithTheFocusOnIt) {
    TKartonFm karton;
    showActive(&karton);
    karton.E_NTIPUS->setFocus();
    karton.e_szlaoszt->setText("   ");
    karton.b_indul->click();
    EXPECT_EQ(user.messages, QStringList{KartonNoAccount});
    EXPECT_EQ(QApplication::focusWidget(), karton.e_szlaoszt);
    karton.hide();

    user.messages.clear();
    TKnaploFm knaplo;
    showActive(&knaplo);
    knaplo.e_ntipus->setText("  ");
    knaplo.e_szla->setFocus();
    knaplo.b_letarol->click();
    EXPECT_EQ(user.messages, QStringList{KnaploNoJournalType});
    EXPECT_EQ(QApplication::focusWidget(), knaplo.e_ntipus);
    EXPECT_EQ(knaplo.e_ntipus->text(), "");
    EXPECT_EQ(previews.count, 0);
}

TEST_F(ReportWindows, ABadOrHalfTypedDateIsToldWithTheFocusOnIt) {
    struct Case {
        const char* what;
        std::function<QDialog*()> make;
        const char* date;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"trial balance, no such month", [] { return new TFokivfm; }, "E_KDATUMIG", "2025.13.01", "Hibás dátum :2025.13.01"},
        {"account cards, half a day",
         [] {
             auto* w = new TKartonFm;
             w->e_szlaoszt->setText("311");
             return w;
         },
         "E_TTOL", "2025.02.3", "Hibás dátum :2025.02.3"},
        {"journal, no such day",
         [] {
             auto* w = new TKnaploFm;
             w->e_ntipus->setText("VE");
             return w;
         },
         "e_konyvelve_ig", "2025.02.30", "Hibás dátum :2025.02.30"},
        {"reconciliation, only the year", [] { return new TEgyeztetoFm; }, "ME_TOL", "2025", "Hibás dátum :2025.  ."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        user.messages.clear();
        std::unique_ptr<QDialog> w(c.make());
        showActive(w.get());
        field(w.get(), c.date)->setText(c.text);
        button(w.get(), "b_indul")->click();
        EXPECT_EQ(user.messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(QApplication::focusWidget(), field(w.get(), c.date));
        w->hide();
    }
    EXPECT_EQ(previews.count, 0);
}

TEST_F(ReportWindows, EnterAndDownMoveToTheNextFieldUpToThePrevious) {
    TKartonFm w;
    showActive(&w);
    EXPECT_EQ(QApplication::focusWidget(), w.e_szlaoszt);
    Press(w.e_szlaoszt, Qt::Key_Return);  // the lookup button is passed over
    EXPECT_EQ(QApplication::focusWidget(), w.E_NTIPUS);
    Press(w.E_NTIPUS, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), w.E_KDATUMTOL);
    Press(w.E_KDATUMTOL, Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), w.E_KDATUMIG);
    Press(w.E_KDATUMIG, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), w.E_KDATUMTOL);
    Press(w.E_KDATUMTOL, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), w.E_NTIPUS);
    EXPECT_TRUE(user.messages.isEmpty());
}

TEST_F(ReportWindows, ADoubleClickOnADateFieldOpensTheDatePicker) {
    TEgyeztetoFm w;
    showActive(&w);
    EXPECT_EQ(w.ME_IG->displayText(), EmptyDateMask);
    const auto doubleClick = [](QWidget* target) {
        QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    };
    WhenModal<TgetdatumFm>([](TgetdatumFm* picker) {
        picker->MC_1->setSelectedDate(QDate(2025, 3, 20));
        picker->b_oke->click();
    });
    doubleClick(w.ME_IG);
    EXPECT_EQ(w.ME_IG->displayText(), "2025.03.20");

    WhenModal<TgetdatumFm>([](TgetdatumFm* picker) {
        EXPECT_EQ(picker->MC_1->selectedDate(), QDate(2025, 3, 20));
        picker->b_torol->click();
    });
    doubleClick(w.ME_IG);
    EXPECT_EQ(w.ME_IG->displayText(), EmptyDateMask);
}

TEST_F(ReportWindows, AccountCardsStoreTheirRowsInTheChosenFile) {
    const QString file = dir.filePath("karton.txt");
    SaveDialogs saves(file);
    TKartonFm w;
    w.e_szlaoszt->setText(" 31 ");
    w.E_TTOL->setText("2025.01.01");
    w.B_letarol->click();

    EXPECT_TRUE(user.messages.isEmpty()) << user.messages.join('|').toStdString();
    EXPECT_EQ(saves.count, 1);
    EXPECT_EQ(previews.count, 0);
    QFile stored(file);
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    const QByteArray content = stored.readAll();
    QStringList lines;
    for (const QByteArray& line : content.split('\n'))
        if (!line.trimmed().isEmpty()) lines << QString::fromLatin1(line).simplified().section(u' ', 0, 3);
    EXPECT_EQ(lines, QStringList({"311 911 1000 0", "311 384 0 1000", "312 911 500 0"})) << content.toStdString();
    EXPECT_TRUE(content.contains("V2")) << content.toStdString();

    // The preview of the same run prints the account's name in the header.
    w.b_indul->click();
    EXPECT_EQ(previews.count, 1);
    EXPECT_TRUE(previews.hasLine("Számlaszám : 31  ")) << previews.text.join('\n').toStdString();
}

TEST_F(ReportWindows, TheJournalPreviewsDebitAndCreditTotalsOfTheAccount) {
    items::Post({{"454", "311", 400, "VE", "2025.03.01", "V3", "5"}});
    TKnaploFm w;
    w.e_ntipus->setText(" VE ");
    w.e_szla->setText("311");
    w.b_indul->click();

    EXPECT_EQ(w.e_ntipus->text(), "VE");
    ASSERT_EQ(previews.count, 1) << user.messages.join('|').toStdString();
    const QString mask = QStringLiteral("###,###,###,##0");
    EXPECT_TRUE(previews.hasLine("T   " + FormatMask(1000, mask))) << previews.text.join('\n').toStdString();
    EXPECT_TRUE(previews.hasLine("K   " + FormatMask(400, mask)));
    EXPECT_TRUE(previews.hasLine("Naplótípus: VE, Számlaszám: 311"));
}

TEST_F(ReportWindows, TheReconciliationTableStepsItsGaugeThroughTheThirteenRows) {
    TEgyeztetoFm w;
    w.ME_IG->setText("2025.12.31");
    w.b_indul->click();

    ASSERT_EQ(previews.count, 1) << user.messages.join('|').toStdString();
    EXPECT_TRUE(w.resultTable.name.startsWith("TMP_EGY_"));
    EXPECT_EQ(CountRows(w.resultTable.name), 13);
    EXPECT_EQ(w.Gauge1->maximum(), 13);
    EXPECT_EQ(w.Gauge1->value(), 13);
    EXPECT_TRUE(previews.hasLine("1-9. Számlaosztály összesen"));
    EXPECT_TRUE(previews.hasLine("Teljesítés kelte: -tól     2025.12.31-ig"));
}

TEST_F(ReportWindows, WithoutAReplacementTheReportOpensInThePreviewWindow) {
    SetReportPreview({});
    TEgyeztetoFm w;
    int pages = 0;
    WhenModal<ReportPreviewWindow>([&](ReportPreviewWindow* preview) {
        pages = preview->document().pageCount();
        preview->reject();
    });
    w.b_indul->click();
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(user.messages.isEmpty());
}

TEST_F(ReportWindows, ControlsCarryTheirNamesAndCaptions) {
    TFokivfm fokiv;
    TKartonFm karton;
    TKnaploFm knaplo;
    TEgyeztetoFm egyezteto;
    const struct {
        QWidget* window;
        QStringList buttons;  // name=caption
        QStringList fields;
        const char* title;
    } cases[] = {
        {&fokiv, {"b_indul=&Indul", "B_letarol=&Letárol", "B_VISSZA=&Vissza"},
         {"E_OTOL", "E_OIG", "E_SZTOL", "E_SZIG", "E_KDATUMTOL", "E_KDATUMIG"}, "Főkönyvi kivonat"},
        {&karton, {"b_indul=&Indul", "B_letarol=&Letárol", "B_VISSZA=&Vissza", "B_SZLA=...?", "Button1=...?"},
         {"e_szlaoszt", "E_NTIPUS", "E_KDATUMTOL", "E_KDATUMIG", "E_TTOL", "E_TIG"}, "Karton"},
        {&knaplo, {"b_indul=&Indul", "b_letarol=&Letárol", "b_vissza=Vissza", "b_szla=?", "b_ntipus=?"},
         {"e_szla", "e_ntipus", "e_konyvelve_tol", "e_konyvelve_ig", "e_teljkelt_tol", "e_teljkelt_ig"}, "Napló"},
        {&egyezteto, {"b_indul=&Indul", "B_letarol=&Letárol", "B_VISSZA=&Vissza"}, {"ME_TOL", "ME_IG"},
         "Egyeztető tábla"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(c.window->windowTitle(), QString::fromUtf8(c.title));
        for (const QString& b : c.buttons) {
            const QStringList nameCaption = b.split('=');
            QPushButton* found = c.window->findChild<QPushButton*>(nameCaption[0]);
            ASSERT_NE(found, nullptr) << nameCaption[0].toStdString();
            EXPECT_EQ(found->text(), nameCaption[1]);
        }
        for (const QString& f : c.fields) EXPECT_NE(c.window->findChild<QLineEdit*>(f), nullptr) << f.toStdString();
    }
    EXPECT_EQ(fokiv.E_OTOL->maxLength(), 1);
    EXPECT_EQ(fokiv.E_SZIG->maxLength(), 10);
    EXPECT_EQ(karton.e_szlaoszt->maxLength(), 10);
    EXPECT_EQ(knaplo.e_ntipus->maxLength(), 10);
    EXPECT_NE(fokiv.findChild<QCheckBox*>("CB_csakgyujto"), nullptr);
    EXPECT_NE(fokiv.findChild<QCheckBox*>("cb_csaknyito"), nullptr);
    EXPECT_NE(egyezteto.findChild<QProgressBar*>("Gauge1"), nullptr);
    EXPECT_NE(karton.findChild<QProgressBar*>("ProgressBar1"), nullptr);
}
