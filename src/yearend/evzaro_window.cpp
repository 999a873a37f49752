#include "yearend/evzaro_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "db/dat.h"
#include "db/db_error.h"
#include "db/fb_admin.h"
#include "db/ui_hooks.h"
#include "reports/report_params_window.h"
#include "yearend/backup.h"

namespace {

QPushButton* topButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

QLineEdit* textEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setMinimumWidth(360);
    return edit;
}

}  // namespace

TevzaroFm::TevzaroFm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("evzaroFm"));
    setWindowTitle(QStringLiteral("Év zárása"));
    setModal(true);

    P_FEJ = new QFrame(this);
    P_FEJ->setObjectName(QStringLiteral("P_FEJ"));
    P_FEJ->setFrameShape(QFrame::StyledPanel);
    auto* top = new QHBoxLayout(P_FEJ);
    top->addWidget(B_letarol = topButton(P_FEJ, "B_letarol", QStringLiteral("&Indul")));
    top->addWidget(B_VISSZA = topButton(P_FEJ, "B_VISSZA", QStringLiteral("&Vissza")));
    top->addStretch(1);

    auto* fields = new QWidget(this);
    auto* g = new QGridLayout(fields);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Zárás Dátuma")), 0, 0);
    g->addWidget(E_ZARDATUM = ReportDateEdit(fields, "E_ZARDATUM"), 0, 1, Qt::AlignLeft);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Következő év adatainak helye:")), 1, 0);
    g->addWidget(e_path = textEdit(fields, "e_path"), 1, 1);
    g->addWidget(ReportParamLabel(fields, QStringLiteral(" Következő év adatbázisának neve:")), 2, 0);
    g->addWidget(e_nev = textEdit(fields, "e_nev"), 2, 1);
    RG_TIPUS = new QGroupBox(QStringLiteral("Zárás típusa:"), fields);
    RG_TIPUS->setObjectName(QStringLiteral("RG_TIPUS"));
    auto* kinds = new QVBoxLayout(RG_TIPUS);
    kinds->addWidget(rb_uj = new QRadioButton(QStringLiteral("Zárás új adatbázis létrehozásával"), RG_TIPUS));
    kinds->addWidget(rb_ujraszamol =
                         new QRadioButton(QStringLiteral("Csak a nyitó tételek újraszámolása meglévő adatbázisban"), RG_TIPUS));
    rb_uj->setObjectName(QStringLiteral("RG_TIPUS_0"));
    rb_ujraszamol->setObjectName(QStringLiteral("RG_TIPUS_1"));
    g->addWidget(RG_TIPUS, 3, 0, 1, 2);
    g->addWidget(cb_teteles = new QCheckBox(QStringLiteral(" Tételes nyitás vevőre és szállítóra"), fields), 4, 0, 1, 2);
    cb_teteles->setObjectName(QStringLiteral("cb_teteles"));
    g->setColumnStretch(1, 1);

    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(P_FEJ);
    layout->addWidget(fields, 1);
    layout->addWidget(Gauge1);

    auto* keys = new ReportFieldKeys(this);
    keys->watch({E_ZARDATUM, e_path, e_nev});
    connect(B_letarol, &QPushButton::clicked, this, [this] {
        try {
            run();
        } catch (const DbError& error) {
            ShowMessage(error.message());
        }
    });
    connect(B_VISSZA, &QPushButton::clicked, this, &QDialog::reject);
}

void TevzaroFm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    setDefaults();
    E_ZARDATUM->setFocus();
}

void TevzaroFm::setDefaults() {
    ResetProgress(Gauge1);
    const EvzaroDefaults defaults = EvzaroDefaultsForCompany();
    E_ZARDATUM->setText(defaults.zardatum);
    e_path->setText(defaults.path);
    e_nev->setText(defaults.name);
    (defaults.kind == ClosingKind::RecomputeExisting ? rb_ujraszamol : rb_uj)->setChecked(true);
}

EvzaroParams TevzaroFm::params() const {
    EvzaroParams p;
    p.zardatum = FieldText(E_ZARDATUM);
    p.path = e_path->text();
    p.name = e_nev->text();
    p.kind = rb_ujraszamol->isChecked() ? ClosingKind::RecomputeExisting : ClosingKind::NewDatabase;
    p.teteles = cb_teteles->isChecked();
    return p;
}

void TevzaroFm::run() {
    if (!ReportDatesValid({E_ZARDATUM})) return;
    const QString wrong = CheckEvzaroParams(params());
    if (!wrong.isEmpty()) {
        ShowMessage(wrong);
        return;
    }
    EvzaroParams chosen = params();
    // Another closing date only when the user says so.
    const QString dateWarning = ClosingDateWarning(chosen);
    if (!dateWarning.isEmpty()) {
        if (AskDialog(dateWarning + QStringLiteral("\nEzzel a dátummal zárja az évet?"), 0,
                      {QStringLiteral(" Igen "), QStringLiteral(" Nem ")}) != 0)
            return;
        chosen.dateConfirmed = true;
    }
    // A next year that is already there is made again only when the user says so.
    if (chosen.kind == ClosingKind::NewDatabase && NextYearDatabaseExists(chosen) &&
        AskDialog(QStringLiteral("A következő év adatbázisa már létezik: %1\nÚjra létrehozza? A benne rögzített tételek elvesznek.")
                      .arg(NextYearAddress(chosen.path, chosen.name)),
                  1, {QStringLiteral(" Igen "), QStringLiteral(" Nem ")}) != 0)
        return;
    ResetProgress(Gauge1);
    ReportRunning running(P_FEJ);
    const auto step = [this](const QString& what, qint64 done, qint64 total) {
        Gauge1->setFormat(what + QStringLiteral(" %p%"));
        Gauge1->setMaximum(total > 0 ? int(qMin<qint64>(total, INT_MAX)) : 0);
        if (total > 0) Gauge1->setValue(int(qMin(done, total)));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };

    // The current year is saved first when the user wants it.
    if (AskDialog(QStringLiteral("Készüljön mentés a tárgyévi adatbázisról a zárás előtt?"), 0,
                  {QStringLiteral(" Igen "), QStringLiteral(" Nem ")}) == 0) {
        const QString file = ProposedBackupFile();
        BackupOptions options;
        options.step = [&](qint64 done, qint64 total) { step(QStringLiteral("Mentés"), done, total); };
        const QString error = BackupDatabase(Td().DbServer, file, DbCredentials(), options);
        if (!error.isEmpty()) {
            ShowMessage(error);
            return;
        }
        ShowMessage(QStringLiteral("A mentés elkészült: ") + file);
    }

    const EvzaroResult result = RunEvzaro(chosen, step);
    Gauge1->setFormat(QStringLiteral("%p%"));
    if (!result.ok) {
        ResetProgress(Gauge1);
        ShowMessage(result.error);
        return;
    }
    Gauge1->setMaximum(1);
    Gauge1->setValue(1);
    repaint();
    ShowMessage(QStringLiteral("KÉSZ !"));
}

void ShowEvzaroFm(QWidget* parent, const QString& caption) {
    static QPointer<TevzaroFm> window;
    if (!window) window = new TevzaroFm(parent);
    window->setWindowTitle(caption);
    window->exec();
}
