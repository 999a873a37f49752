#include "memo_edit_window.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

Tmemo_editfm::Tmemo_editfm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("memo_editfm"));
    setWindowTitle(QStringLiteral("Több soros megjegyzés szerkesztése"));
    resize(600, 400);

    p_top = new QWidget(this);
    p_top->setObjectName(QStringLiteral("p_top"));
    Button1 = new QPushButton(QStringLiteral("Mentés, kilépés"), p_top);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Kilépés mentés nélkül"), p_top);
    Button2->setObjectName(QStringLiteral("Button2"));
    auto* top = new QHBoxLayout(p_top);
    top->setContentsMargins(4, 4, 4, 4);
    top->addWidget(Button1);
    top->addWidget(Button2);
    top->addStretch(1);
    for (QPushButton* button : {Button1, Button2}) button->setAutoDefault(false);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(p_top);
    layout->addWidget(Memo1, 1);

    connect(Button1, &QPushButton::clicked, this, [this] {
        wsaved = true;
        accept();
    });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void Tmemo_editfm::showEvent(QShowEvent* event) {
    wsaved = false;
    QDialog::showEvent(event);
}
