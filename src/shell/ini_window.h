#pragma once
// The settings editor: every setting of the store as an edit, written back
// as a whole into the settings file loaded last. Creating it empties the
// store, which the start-up then fills from TARVEDO.INI.
#include <QList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

class Tinifm : public QWidget {
    Q_OBJECT
public:
    explicit Tinifm(QWidget* parent = nullptr);

    QWidget* Panel1;
    QLabel* Label1;
    QPushButton* b_tarol;
    QPushButton* b_vissza;
    QScrollArea* sbx;
    QList<QLineEdit*> edits;  // "LE_ini" + position in the store

    // Builds the edits from the store (again on every show).
    void fillEdits();
    // After the confirmation: the edits' texts go into the store and the
    // store replaces the settings file.
    void store();
    bool confirmStore();

protected:
    void showEvent(QShowEvent* event) override;
};
