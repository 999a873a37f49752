#include "TextEdit_window.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "db/text_file.h"
#include "db/ui_hooks.h"

TTextEditfm::TTextEditfm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TextEditfm"));
    setWindowTitle(QStringLiteral("Szöveges fájl szerkesztése"));
    resize(800, 600);

    menu = new QMenuBar(this);
    QMenu* file = menu->addMenu(QStringLiteral("File"));
    Mentes = file->addAction(QStringLiteral("Mentés"));
    Mentes->setObjectName(QStringLiteral("Mentes"));
    Mentesmaskent = file->addAction(QStringLiteral("Mentés másként"));
    Mentesmaskent->setObjectName(QStringLiteral("Mentesmaskent"));
    ujratoltes = file->addAction(QStringLiteral("Újratöltés"));
    ujratoltes->setObjectName(QStringLiteral("ujratoltes"));
    QMenu* printing = menu->addMenu(QStringLiteral("Nyomtatás"));
    Nyomtatobeallitas = printing->addAction(QStringLiteral("Nyomtató beállítás"));
    Nyomtatobeallitas->setObjectName(QStringLiteral("Nyomtatobeallitas"));
    Nyomtatas = printing->addAction(QStringLiteral("Nyomtatás"));
    Nyomtatas->setObjectName(QStringLiteral("Nyomtatas"));
    Vissza = menu->addAction(QStringLiteral("Vissza"));
    Vissza->setObjectName(QStringLiteral("Vissza"));

    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("Panel1"));
    l_file = new QLabel(top);
    l_file->setObjectName(QStringLiteral("l_file"));
    Button1 = new QPushButton(QStringLiteral("Mentés"), top);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Vissza"), top);
    Button2->setObjectName(QStringLiteral("Button2"));
    for (QPushButton* button : {Button1, Button2}) button->setAutoDefault(false);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(4, 4, 4, 4);
    topLayout->addWidget(l_file, 1);
    topLayout->addWidget(Button1);
    topLayout->addWidget(Button2);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setFont(QFont(QStringLiteral("Arial"), 10));

    sd1 = new QFileDialog(this);
    sd1->setObjectName(QStringLiteral("sd1"));
    sd1->setAcceptMode(QFileDialog::AcceptSave);
    sd1->setNameFilter(QStringLiteral("Szöveg file (*.TXT)"));
    sd1->setDefaultSuffix(QStringLiteral("TXT"));
    sd1->setOption(QFileDialog::DontUseNativeDialog);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menu);
    layout->addWidget(top);
    layout->addWidget(Memo1, 1);

    connect(Mentes, &QAction::triggered, this, &TTextEditfm::save);
    connect(Button1, &QPushButton::clicked, this, &TTextEditfm::save);
    connect(Mentesmaskent, &QAction::triggered, this, &TTextEditfm::saveAs);
    connect(ujratoltes, &QAction::triggered, this, &TTextEditfm::reload);
    connect(Nyomtatobeallitas, &QAction::triggered, this, [this] {
        QPrintDialog dialog(&m_printer, this);
        dialog.exec();
    });
    connect(Nyomtatas, &QAction::triggered, this, &TTextEditfm::print);
    connect(Vissza, &QAction::triggered, this, &TTextEditfm::back);
    connect(Button2, &QPushButton::clicked, this, &TTextEditfm::back);
}

TTextEditfm::~TTextEditfm() = default;

void TTextEditfm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    reload();
}

void TTextEditfm::reload() {
    l_file->setText(wfile);
    TextFile file;
    LoadTextFile(wfile, file);
    m_utf8 = file.utf8;
    Memo1->setPlainText(file.text);
    Memo1->document()->setModified(false);
}

void TTextEditfm::save() {
    if (!SaveTextFile(wfile, TextFile{Memo1->toPlainText(), m_utf8})) {
        ShowMessage(QStringLiteral("A fájl (%1) nem írható.").arg(wfile));
        return;
    }
    ShowMessage(QStringLiteral("A szöveget mentettük"));
    Memo1->document()->setModified(false);
}

void TTextEditfm::saveAs() {
    sd1->selectFile(wfile);
    if (sd1->exec() != QDialog::Accepted || sd1->selectedFiles().isEmpty()) return;
    const QString chosen = sd1->selectedFiles().first();
    if (!SaveTextFile(chosen, TextFile{Memo1->toPlainText(), m_utf8})) {
        ShowMessage(QStringLiteral("A fájl (%1) nem írható.").arg(chosen));
        return;
    }
    wfile = chosen;
    l_file->setText(wfile);
    ShowMessage(QStringLiteral("A szöveget mentettük ") + wfile + QStringLiteral(" néven"));
    Memo1->document()->setModified(false);
}

void TTextEditfm::print() {
    QTextDocument document;
    document.setPlainText(Memo1->toPlainText());
    document.setMetaInformation(QTextDocument::DocumentTitle, l_file->text());
    document.setDefaultFont(Memo1->font());
    m_printer.setDocName(l_file->text());
    document.print(&m_printer);
}

void TTextEditfm::back() {
    if (!Memo1->document()->isModified()) {
        QDialog::reject();
        return;
    }
    switch (AskDialog(QStringLiteral("Menti a változtatásokat?"), 0,
                      {QStringLiteral("Mentés és kilépés"), QStringLiteral("Kilépés mentés nélkül"),
                       QStringLiteral("Szerkesztés folytatása")})) {
        case 0:
            save();
            if (!Memo1->document()->isModified()) QDialog::reject();
            break;
        case 1: QDialog::reject(); break;
        default: break;
    }
}

void TTextEditfm::reject() { back(); }
