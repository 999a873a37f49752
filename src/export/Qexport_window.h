#pragma once
// The export file window: it owns the save dialog of every export ("sd1"),
// and while it exists the export logic asks for file names through it and
// opens finished workbooks with the desktop's spreadsheet program.
#include <QWidget>

class QFileDialog;

class Tqexportfm : public QWidget {
    Q_OBJECT
public:
    explicit Tqexportfm(QWidget* parent = nullptr);
    ~Tqexportfm() override;

    QFileDialog* sd1;
};
