#include "adatbeo_window.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "db/named_widgets_window.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "import/import_format.h"

Tadatbeofm::Tadatbeofm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("adatbeofm"));
    auto* root = new QVBoxLayout(this);
    auto* g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral(" Fájl:"), this), 0, 0);
    e_fajl = new QLineEdit(this);
    e_fajl->setObjectName(QStringLiteral("e_fajl"));
    g->addWidget(e_fajl, 0, 1);
    g->addWidget(b_tallozas = NamedButton(this, "b_tallozas", QStringLiteral("Tallózás...")), 0, 2);
    g->addWidget(new QLabel(QStringLiteral(" Formátum:"), this), 1, 0);
    cb_formatum = new QComboBox(this);
    cb_formatum->setObjectName(QStringLiteral("cb_formatum"));
    g->addWidget(cb_formatum, 1, 1, 1, 2);
    root->addLayout(g);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(b_proba = NamedButton(this, "b_proba", QStringLiteral("&Próba (csak ellenőrzés)")));
    buttons->addWidget(b_atvetel = NamedButton(this, "b_atvetel", QStringLiteral("&Átvétel")));
    buttons->addStretch(1);
    buttons->addWidget(b_vissza = NamedButton(this, "b_vissza", QStringLiteral("&Vissza")));
    root->addLayout(buttons);

    l_eredmeny = new QLabel(this);
    l_eredmeny->setObjectName(QStringLiteral("l_eredmeny"));
    l_eredmeny->setWordWrap(true);
    root->addWidget(l_eredmeny);
    m_eredmeny = new QPlainTextEdit(this);
    m_eredmeny->setObjectName(QStringLiteral("m_eredmeny"));
    m_eredmeny->setReadOnly(true);
    root->addWidget(m_eredmeny, 1);

    connect(b_tallozas, &QPushButton::clicked, this, &Tadatbeofm::browse);
    connect(e_fajl, &QLineEdit::editingFinished, this, &Tadatbeofm::fileChosen);
    connect(b_proba, &QPushButton::clicked, this, [this] { run(true); });
    connect(b_atvetel, &QPushButton::clicked, this, [this] { run(false); });
    connect(b_vissza, &QPushButton::clicked, this, &Tadatbeofm::reject);
    resize(720, 520);
}

Tadatbeofm::~Tadatbeofm() {
    // The dialog's own destructor hides it, which takes the focus from the
    // file name box and makes it report the end of editing: by then this
    // window is gone, so nothing of it may answer.
    disconnect(e_fajl, nullptr, this, nullptr);
}

void Tadatbeofm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    cb_formatum->clear();
    for (const auto& [name, description] : ImportFormats()) cb_formatum->addItem(name + QStringLiteral(" - ") + description, name);
    fileChosen();
}

void Tadatbeofm::browse() {
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Átveendő fájl"), e_fajl->text(),
                                                      QStringLiteral("Tételek (*.csv *.txt *.xlsx);;Minden fájl (*)"));
    if (file.isEmpty()) return;
    e_fajl->setText(file);
    fileChosen();
}

void Tadatbeofm::fileChosen() {
    if (e_fajl->text().trimmed().isEmpty()) return;
    const int at = cb_formatum->findData(DefaultImportFormat(e_fajl->text().trimmed()));
    if (at >= 0) cb_formatum->setCurrentIndex(at);
}

void Tadatbeofm::run(bool dryRun) {
    const QString file = e_fajl->text().trimmed();
    if (file.isEmpty()) {
        ShowMessage(QStringLiteral("Válassza ki az átveendő fájlt!"));
        return;
    }
    try {
        m_report = ImportItems(file, {cb_formatum->currentData().toString(), dryRun});
    } catch (const DbError& error) {
        ShowMessage(error.message());
        return;
    }
    QStringList lines;
    for (const QString& warning : m_report.warnings) lines << QStringLiteral("Figyelmeztetés: ") + warning;
    for (const ImportFault& fault : m_report.faults) lines << QStringLiteral("%1. sor: %2").arg(fault.line).arg(fault.text);
    if (m_report.unlistedFaults > 0) lines << UnlistedFaultsText(m_report.unlistedFaults);
    m_eredmeny->setPlainText(lines.join(QLatin1Char('\n')));
    if (!m_report.error.isEmpty())
        l_eredmeny->setText(m_report.error);
    else if (!m_report.faults.isEmpty())
        l_eredmeny->setText(QStringLiteral("%1 sorból %2 hibás; semmi sem tárolódott.").arg(m_report.lines).arg(m_report.faultyLines));
    else if (m_report.vouchers == 0 && m_report.alreadyImported > 0)
        l_eredmeny->setText(NothingNewText());
    else if (dryRun)
        l_eredmeny->setText(QStringLiteral("A fájl hibátlan: %1 sor, %2 bizonylat, %3 tétel. Semmi sem tárolódott.")
                                .arg(m_report.lines)
                                .arg(m_report.vouchers)
                                .arg(m_report.items));
    else
        l_eredmeny->setText(QStringLiteral("Átvéve: %1 bizonylat, %2 tétel (sorszámok %3 - %4).")
                                .arg(m_report.vouchers)
                                .arg(m_report.items)
                                .arg(m_report.firstSorszam, m_report.lastSorszam));
}

void ShowAdatbeoFm(QWidget* parent, const QString& caption) {
    if (Td().ceg.text(QStringLiteral("NYITVA")).trimmed().toUpper() != QLatin1String("I")) {
        ShowMessage(QStringLiteral("Az év le van zárva."));
        return;
    }
    Tadatbeofm window(parent);
    window.setWindowTitle(caption);
    window.exec();
}
