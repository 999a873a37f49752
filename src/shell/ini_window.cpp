#include "ini_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "db/ini.h"
#include "db/ui_hooks.h"

Tinifm::Tinifm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("inifm"));
    setWindowTitle(QStringLiteral("Beállítások (INI fájl szerkesztése)"));
    resize(760, 560);
    IniClear();

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Label1 = new QLabel(QStringLiteral("Változók megnevezései és a beállítandó értékek"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    b_tarol = new QPushButton(QStringLiteral("Tárolás"), Panel1);
    b_tarol->setObjectName(QStringLiteral("b_tarol"));
    b_vissza = new QPushButton(QStringLiteral("Vissza"), Panel1);
    b_vissza->setObjectName(QStringLiteral("b_vissza"));
    auto* top = new QHBoxLayout(Panel1);
    top->addWidget(Label1, 1);
    top->addWidget(b_tarol);
    top->addWidget(b_vissza);

    sbx = new QScrollArea(this);
    sbx->setObjectName(QStringLiteral("sbx"));
    sbx->setWidgetResizable(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Panel1);
    layout->addWidget(sbx, 1);

    connect(b_tarol, &QPushButton::clicked, this, [this] {
        if (confirmStore()) store();
    });
    connect(b_vissza, &QPushButton::clicked, this, &QWidget::close);
}

void Tinifm::showEvent(QShowEvent* event) {
    fillEdits();
    QWidget::showEvent(event);
}

void Tinifm::fillEdits() {
    edits.clear();
    auto* box = new QWidget;
    box->setObjectName(QStringLiteral("sbx_contents"));
    QFont editFont = font();
    editFont.setBold(true);
    const int s = editFont.pointSize() > 0 ? editFont.pointSize() : 8;
    const int left = 40 * s - 60;
    const int width = 40 * s - 80;

    const TAIniValues& settings = SettingsStore();
    for (int i = 0; i < settings.size(); ++i) {
        const TInivalue& setting = settings[i];
        auto* edit = new QLineEdit(setting.ertek, box);
        edit->setObjectName(QStringLiteral("LE_ini%1").arg(i));
        edit->setFont(editFont);
        edit->setGeometry(left, 24 * i + 4, width, 20);
        edit->setToolTip(setting.komment);
        edit->setCursorPosition(0);
        QPalette look = edit->palette();
        look.setColor(QPalette::Base, look.color(QPalette::ToolTipBase));
        look.setColor(QPalette::Text, look.color(QPalette::ToolTipText));
        edit->setPalette(look);
        auto* label = new QLabel(QLatin1Char(' ') + setting.valtozo, box);
        label->setObjectName(edit->objectName() + QStringLiteral("_label"));
        label->setBuddy(edit);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(4, 24 * i + 4, left - 8, 20);
        edits.append(edit);
    }
    box->resize(left + width + 20, 24 * int(settings.size()) + 8);
    sbx->setWidget(box);  // the previous edits go with their box
}

bool Tinifm::confirmStore() {
    return QMessageBox::question(this, windowTitle(), QStringLiteral("Biztos, hogy tárolja a paramétertáblát?"),
                                 QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

void Tinifm::store() {
    const TAIniValues settings = SettingsStore();
    for (int i = 0; i < settings.size() && i < edits.size(); ++i)
        IniSet(settings[i].valtozo, edits[i]->text(), settings[i].komment);
    if (!IniWriteStore(IniFileName())) ShowMessage(QStringLiteral("A fájl (%1) nem írható.").arg(IniFileName()));
}
