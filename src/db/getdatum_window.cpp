#include "getdatum_window.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "db/getdatum.h"

namespace {
QPushButton* topButton(QWidget* parent, const char* name, const QString& caption, const QString& hint) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}
}  // namespace

TgetdatumFm::TgetdatumFm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("getdatumFm"));
    setWindowTitle(QStringLiteral("Dátum kiválasztása"));

    p_top = new QWidget(this);
    p_top->setObjectName(QStringLiteral("p_top"));
    B_vissza = topButton(p_top, "B_vissza", QStringLiteral("&Vissza (nem választ ki)"), QStringLiteral("Marad a régi dátum"));
    b_oke = topButton(p_top, "b_oke", QStringLiteral("&OK (kiválaszt)"), QStringLiteral("Kiválasztjuk a dátumot"));
    b_yearmin = topButton(p_top, "b_yearmin", QStringLiteral("<<"), QStringLiteral("Előző év"));
    b_torol = topButton(p_top, "b_torol", QStringLiteral("Töröl"), QString());
    b_yearplus = topButton(p_top, "b_yearplus", QStringLiteral(">>"), QStringLiteral("Következő év"));
    auto* top = new QHBoxLayout(p_top);
    top->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {B_vissza, b_oke, b_yearmin, b_torol, b_yearplus}) top->addWidget(button);

    MC_1 = new QCalendarWidget(this);
    MC_1->setObjectName(QStringLiteral("MC_1"));
    MC_1->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
    MC_1->setGridVisible(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(p_top);
    layout->addWidget(MC_1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const auto finish = [this](int result) {
        walasztott = result;
        accept();
    };
    connect(b_oke, &QPushButton::clicked, this, [finish] { finish(1); });
    connect(MC_1, &QCalendarWidget::activated, this, [finish] { finish(1); });
    connect(B_vissza, &QPushButton::clicked, this, [finish] { finish(0); });
    connect(b_torol, &QPushButton::clicked, this, [finish] { finish(-1); });
    connect(b_yearmin, &QPushButton::clicked, this, [this] { MC_1->setSelectedDate(MC_1->selectedDate().addMonths(-12)); });
    connect(b_yearplus, &QPushButton::clicked, this, [this] { MC_1->setSelectedDate(MC_1->selectedDate().addMonths(12)); });
}

QString PickDate(const QString& text) {
    const PickDateStart start = PickDateBegin(text);
    TgetdatumFm window(QApplication::activeWindow());
    window.MC_1->setSelectedDate(start.calendar);
    window.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
    window.exec();
    const PickDateAction action = window.walasztott == 1 ? PickDateAction::Choose
                                  : window.walasztott == -1 ? PickDateAction::Clear
                                                            : PickDateAction::Back;
    return PickDateResult(start, action, window.MC_1->selectedDate());
}
