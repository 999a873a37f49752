#pragma once
// The text viewer ("RichEdit megjelenítő"): the rows of a query as text
// lines, stored into a table file or a rich-text file, printed.
#include <QDialog>
#include <QString>
#include <memory>

class ExportSource;
class QPushButton;
class QTextEdit;

class Tricsifm : public QDialog {
    Q_OBJECT
public:
    explicit Tricsifm(QWidget* parent = nullptr);
    ~Tricsifm() override;

    // Shows the rows (kept for storing) with an optional title.
    void Mutat(std::unique_ptr<ExportSource> rows, const QString& title = {});

    QTextEdit* re;
    QPushButton *b_tabla, *b_szoveg, *b_nyomtat, *b_beallitas, *b_betu, *b_vissza;

    void storeTable();
    // Writes the text as rich text; `fileName` empty asks for one.
    bool storeText(const QString& fileName = {});
    void print();

private:
    std::unique_ptr<ExportSource> m_rows;
    QString m_title;
};
