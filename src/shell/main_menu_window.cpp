#include "main_menu_window.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "assets/ecsszamol_window.h"
#include "assets/eszkoz_window.h"
#include "import/adatbeo_window.h"
#include "posting/konyvel_window.h"
#include "posting/konyvkeres_window.h"
#include "reports/afalista_window.h"
#include "reports/egyenleg_window.h"
#include "reports/egyenlegkozlo_window.h"
#include "reports/egyezteto_window.h"
#include "reports/eredmeny_window.h"
#include "reports/fokiv_window.h"
#include "reports/karton_window.h"
#include "reports/knaplo_window.h"
#include "reports/merleg_window.h"
#include "shell/main_tarvedo_window.h"
#include "shell/menu_rules.h"
#include "update/ftp_settings_window.h"
#include "update/update_window.h"
#include "yearend/backup_window.h"
#include "yearend/evzaro_window.h"
#include "yearend/reopen.h"
#include "yearend/takarit_window.h"

namespace {

MainMenuItem item(const char* parent, const char* name, const QString& caption, bool yearCheck = false,
                  std::function<void(Tmain_tarvedofm&, QAction*)> action = {}) {
    return {QLatin1String(parent), QLatin1String(name), caption, false, yearCheck, std::move(action)};
}

// The part of the main window's client area below its top panel, in screen
// coordinates: the search window lies over it, from the client's left edge,
// as wide as the client and down to its bottom edge, so that none of the
// window falls outside the main window.
QRect clientAreaBelowPanel(const Tmain_tarvedofm& main) {
    const QWidget* client = main.centralWidget();
    const QPoint clientTop = client->mapToGlobal(QPoint(0, 0));
    const int top = main.Panel1->mapToGlobal(QPoint(0, main.Panel1->height())).y();
    return QRect(clientTop.x(), top, client->width(), clientTop.y() + client->height() - top);
}

MainMenuItem submenu(const char* name, const QString& caption) {
    return {QString(), QLatin1String(name), caption, true, false, {}};
}

}  // namespace

const QList<MainMenuItem>& MainMenuItems() {
    static const QList<MainMenuItem> items{
        submenu("torzsek", QStringLiteral("Törzsek")),  // its items come from TABLAK at start

        submenu("Adatbevitel", QStringLiteral("Adatbevitel")),
        item("Adatbevitel", "rogzites", QStringLiteral("Könyvelési tételek rögzítése"), true,
             [](Tmain_tarvedofm& main, QAction* action) { ShowKonyvelFm(&main, MenuNev(action)); }),
        item("Adatbevitel", "kereses", QStringLiteral("Könyvelési tétel visszakeresése"), false,
             [](Tmain_tarvedofm& main, QAction* action) {
                 ShowKonyvkeresFm(&main, MenuNev(action), clientAreaBelowPanel(main));
             }),
        item("Adatbevitel", "targyieszkozok", QStringLiteral("Tárgyi eszközök és immateriális javak"), false,
             [](Tmain_tarvedofm& main, QAction* action) {
                 ShowEszkozFm(&main, MenuNev(action), clientAreaBelowPanel(main));
             }),
        item("Adatbevitel", "ecsszamol", QStringLiteral("Értékcsökkenés elszámolása"), true,
             [](Tmain_tarvedofm& main, QAction* action) { ShowEcsszamolFm(&main, MenuNev(action)); }),
        item("Adatbevitel", "Adatavetel", QStringLiteral("Adatok átvétele más programból"), true,
             [](Tmain_tarvedofm& main, QAction* action) { ShowAdatbeoFm(&main, MenuNev(action)); }),

        submenu("Riportok", QStringLiteral("Riportok")),
        item("Riportok", "Knyvelsinapl1", QStringLiteral("Könyvelési napló"), false,
             [](Tmain_tarvedofm& main, QAction* action) { ShowKnaploFm(&main, MenuNev(action)); }),
        item("Riportok", "kartonok", QStringLiteral("Kartonok lekérdezése"), false,
             [](Tmain_tarvedofm& main, QAction* action) { ShowKartonFm(&main, MenuNev(action)); }),
        item("Riportok", "kivonat", QStringLiteral("Főkönyvi kivonat"), false,
             [](Tmain_tarvedofm& main, QAction* action) { ShowFokivFm(&main, MenuNev(action)); }),
        item("Riportok", "Egyeztettbla1", QStringLiteral("Egyeztető tábla"), false,
             [](Tmain_tarvedofm& main, QAction* action) { ShowEgyeztetoFm(&main, MenuNev(action)); }),
        item("Riportok", "afalista", QStringLiteral("ÁFA lista"), false,
             [](Tmain_tarvedofm& main, QAction* action) { ShowAFAlistaFm(&main, MenuNev(action)); }),
        item("Riportok", "Kimenszmlk1", QStringLiteral("Vevő folyószámla"), false,
             [](Tmain_tarvedofm& main, QAction*) { ShowEgyenlegFM(&main, PartnerSide::Customers); }),
        item("Riportok", "Bejvszmlk1", QStringLiteral("Szállító folyószámla"), false,
             [](Tmain_tarvedofm& main, QAction*) { ShowEgyenlegFM(&main, PartnerSide::Suppliers); }),
        item("Riportok", "Egyenlegkzllevl1", QStringLiteral("Egyenlegközlő levél"), false,
             [](Tmain_tarvedofm& main, QAction* action) { ShowEgyenlegkozloFm(&main, MenuNev(action)); }),
        item("Riportok", "eredmeny", QStringLiteral("Eredmény kimutatás"), false,
             [](Tmain_tarvedofm& main, QAction* action) { ShowEredmenyFm(&main, MenuNev(action)); }),
        item("Riportok", "merleg", QStringLiteral("Mérleg kimutatás"), false,
             [](Tmain_tarvedofm& main, QAction* action) { ShowMerlegFm(&main, MenuNev(action)); }),

        submenu("Specilis1", QStringLiteral("Speciális")),
        item("Specilis1", "Adatbaziskivalasztasa", QStringLiteral("Adatbázis kiválasztása"), false,
             [](Tmain_tarvedofm& main, QAction*) { main.menuChangeCompany(); }),
        item("Specilis1", "vzrsa1", QStringLiteral("Év zárása"), false,
             [](Tmain_tarvedofm& main, QAction* action) { ShowEvzaroFm(&main, MenuNev(action)); }),
        item("Specilis1", "vnyitsa1", QStringLiteral("Lezárt év újranyitása"), false,
             [](Tmain_tarvedofm&, QAction*) { ReopenYearAsking(); }),
        item("Specilis1", "N1", QStringLiteral("-")),
        item("Specilis1", "Programfrisstseazinternetrl1", QStringLiteral("Program frissítése az internetről"), false,
             [](Tmain_tarvedofm& main, QAction*) { RunProgramUpdateFromMenu(&main, main.l_version->text()); }),
        item("Specilis1", "Frissitesitarhely", QStringLiteral("Frissítési tárhely beállítása"), false,
             [](Tmain_tarvedofm& main, QAction*) { ShowFtpSettingsFm(&main); }),
        item("Specilis1", "N2", QStringLiteral("-")),
        item("Specilis1", "tmenetitblktrlse1", QStringLiteral("Átmeneti táblák törlése"), false,
             [](Tmain_tarvedofm& main, QAction*) { ShowTakaritFm(&main); }),
        item("Specilis1", "Adatbazismentese", QStringLiteral("Adatbázis mentése"), false,
             [](Tmain_tarvedofm& main, QAction*) { ShowBackupFm(&main); }),
        item("Specilis1", "Adatbazisvisszatoltese", QStringLiteral("Adatbázis visszatöltése"), false,
             [](Tmain_tarvedofm& main, QAction*) { ShowRestoreFm(&main); }),

        item("", "vege", QStringLiteral("Vége"), false, [](Tmain_tarvedofm& main, QAction*) { main.close(); }),
    };
    return items;
}

void BuildMainMenu(Tmain_tarvedofm& main) {
    SetAssetRegisterOpener([&main](const QString& ntipus, const QString& konyvbiz) {
        ShowEszkozFmForVoucher(&main, ntipus, konyvbiz);
    });
    QMenuBar* bar = main.menuBar();
    bar->setObjectName(QStringLiteral("fomenu"));
    QHash<QString, QMenu*> menus;
    for (const MainMenuItem& entry : MainMenuItems()) {
        if (entry.submenu) {
            QMenu* menu = bar->addMenu(entry.caption);
            menu->setObjectName(entry.name);
            menu->menuAction()->setObjectName(entry.name + QStringLiteral("_menu"));
            menus.insert(entry.name, menu);
            continue;
        }
        QAction* action = nullptr;
        if (entry.caption == QLatin1String("-")) {
            action = menus.value(entry.parent)->addSeparator();
        } else if (entry.parent.isEmpty()) {
            action = bar->addAction(entry.caption);
        } else {
            action = menus.value(entry.parent)->addAction(entry.caption);
        }
        action->setObjectName(entry.name);
        if (entry.caption == QLatin1String("-")) continue;
        if (!entry.action) {
            action->setEnabled(false);
            continue;
        }
        QObject::connect(action, &QAction::triggered, &main, [&main, action, entry] {
            main.runMenuAction([&] {
                if (entry.yearCheck && !YearOpenCheck()) return;
                entry.action(main, action);
            });
        });
    }
}

QString MenuNev(const QAction* item) { return MenuNev(item->text()); }
