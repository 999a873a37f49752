#include "Qexport_window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

#include "ask_file_name.h"
#include "workbook_opener.h"

Tqexportfm::Tqexportfm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("qexportfm"));
    setWindowTitle(QStringLiteral("Adatok tárolása külső adattáblába"));

    sd1 = new QFileDialog(this, QStringLiteral("Eredmény mentése más táblába"));
    sd1->setObjectName(QStringLiteral("sd1"));
    sd1->setAcceptMode(QFileDialog::AcceptSave);  // asks before overwriting a file
    sd1->setFileMode(QFileDialog::AnyFile);
    sd1->setOption(QFileDialog::DontUseNativeDialog);
    QStringList filters;
    for (const ExportFileFilter& filter : ExportFileFilters())
        filters << QStringLiteral("%1 (%2)").arg(filter.caption, filter.pattern);
    sd1->setNameFilters(filters);

    SetSaveDialog([this](SaveDialogState& state) {
        const QStringList names = sd1->nameFilters();
        const int index = state.filterIndex < 1 || state.filterIndex > names.size() ? 1 : state.filterIndex;
        sd1->selectNameFilter(names.at(index - 1));
        sd1->selectFile(state.fileName);
        // The export window itself stays hidden: the dialog comes up over the
        // window whose list is stored.
        if (const QWidget* over = QApplication::activeWindow()) {
            sd1->adjustSize();
            sd1->move(over->frameGeometry().center() - sd1->rect().center());
        }
        if (sd1->exec() != QDialog::Accepted) return false;
        state.fileName = sd1->selectedFiles().value(0);
        state.filterIndex = int(names.indexOf(sd1->selectedNameFilter())) + 1;
        return true;
    });
    SetFileOpener([](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); });
}

Tqexportfm::~Tqexportfm() {
    SetSaveDialog(nullptr);
    SetFileOpener(nullptr);
}
