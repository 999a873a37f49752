#include "reports/ricsi_window.h"

#include <QSaveFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "db/ui_hooks.h"
#include "export/export_source.h"
#include "export/store_dataset.h"
#include "reports/ricsi.h"

namespace {

QPrinter& viewerPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

}  // namespace

Tricsifm::Tricsifm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ricsifm"));
    setWindowTitle(QStringLiteral("RichEdit megjelenítő"));
    resize(900, 600);
    re = new QTextEdit(this);
    re->setObjectName(QStringLiteral("re"));
    re->setLineWrapMode(QTextEdit::NoWrap);
    re->setAcceptRichText(false);
    QFont fixed(QStringLiteral("DejaVu Sans Mono"), 9);
    fixed.setStyleHint(QFont::Monospace);
    re->setFont(fixed);

    const auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    b_tabla = button("b_tabla", QStringLiteral("Letárol táblába"));
    b_szoveg = button("b_szoveg", QStringLiteral("Letárol szövegfájlba"));
    b_nyomtat = button("b_nyomtat", QStringLiteral("Nyomtat"));
    b_beallitas = button("b_beallitas", QStringLiteral("Nyomtatás beállítás"));
    b_betu = button("b_betu", QStringLiteral("Betű beállítás"));
    b_vissza = button("b_vissza", QStringLiteral("Vissza"));
    connect(b_tabla, &QPushButton::clicked, this, &Tricsifm::storeTable);
    connect(b_szoveg, &QPushButton::clicked, this, [this] { storeText(); });
    connect(b_nyomtat, &QPushButton::clicked, this, &Tricsifm::print);
    connect(b_beallitas, &QPushButton::clicked, this, [this] { QPageSetupDialog(&viewerPrinter(), this).exec(); });
    connect(b_betu, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, re->font(), this);
        if (ok) re->setFont(font);
    });
    connect(b_vissza, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {b_tabla, b_szoveg, b_nyomtat, b_beallitas, b_betu}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(b_vissza);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(re, 1);
    layout->addLayout(buttons);
}

Tricsifm::~Tricsifm() = default;

void Tricsifm::Mutat(std::unique_ptr<ExportSource> rows, const QString& title) {
    re->clear();
    m_rows = std::move(rows);
    m_title = title;
    if (!m_rows) return;
    re->setPlainText(RicsiLines(*m_rows, title).join(QLatin1Char('\n')));
}

void Tricsifm::storeTable() {
    if (!m_rows) return;
    QString chosen;
    StoreDataSet(*m_rows, QString(), QString(), chosen);
}

bool Tricsifm::storeText(const QString& fileName) {
    QString name = fileName;
    if (name.isEmpty()) {
        name = QFileDialog::getSaveFileName(this, QStringLiteral("Tárolás szövegfájlba"), QString(),
                                            QStringLiteral("Szöveges állomány (*.RTF)"));
        if (name.isEmpty()) return false;
    }
    name = RicsiFileName(name);
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(RicsiRtf(re->toPlainText().split(QLatin1Char('\n')), re->font().family(),
                            qMax(1, re->font().pointSize()))) < 0 ||
        !file.commit()) {
        ShowMessage(QStringLiteral("A fájl (%1) nem írható.").arg(name));
        return false;
    }
    return true;
}

void Tricsifm::print() {
    QPrintDialog dialog(&viewerPrinter(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    re->document()->print(&viewerPrinter());
}
