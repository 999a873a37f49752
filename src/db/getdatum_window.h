#pragma once
// The date picker opened by a double-click on any date field.
#include <QDialog>

class QCalendarWidget;
class QPushButton;
class QWidget;

class TgetdatumFm : public QDialog {
    Q_OBJECT
public:
    explicit TgetdatumFm(QWidget* parent = nullptr);

    QWidget* p_top;
    QPushButton* B_vissza;
    QPushButton* b_oke;
    QPushButton* b_yearmin;
    QPushButton* b_torol;
    QPushButton* b_yearplus;
    QCalendarWidget* MC_1;
    int walasztott = 0;  // 1 chosen, 0 back, -1 cleared
};

// Shows the picker on the date of `text` and returns the text for the field.
QString PickDate(const QString& text);
