// The date picker: where it opens for a field's text and what it gives back.
#include <QCalendarWidget>
#include <QPushButton>
#include <gtest/gtest.h>

#include "db/getdatum.h"
#include "db/getdatum_window.h"
#include "shell_test_support.h"

TEST(PickDate, TextRules) {
    const QDate today(2025, 6, 10);
    const struct {
        const char* input;
        QDate opensOn;
        PickDateAction action;
        QDate chosen;
        const char* result;
    } cases[] = {
        // The empty masked date opens on today; clearing gives an empty text.
        {"    .  .  ", today, PickDateAction::Clear, {}, ""},
        {"    .  .  ", today, PickDateAction::Back, {}, "    .  .  "},
        {"", today, PickDateAction::Choose, QDate(2025, 6, 12), "2025.06.12"},
        // Eight digits come back as eight digits.
        {"20240315", QDate(2024, 3, 15), PickDateAction::Choose, QDate(2024, 3, 20), "20240320"},
        {"20240315", QDate(2024, 3, 15), PickDateAction::Back, {}, "20240315"},
        {"20240315", QDate(2024, 3, 15), PickDateAction::Clear, {}, ""},
        // A bad date opens on today and "Vissza" gives today.
        {"2024.13.45", today, PickDateAction::Back, {}, "2025.06.10"},
        {"2024.02.29", QDate(2024, 2, 29), PickDateAction::Choose, QDate(2024, 3, 1), "2024.03.01"},
        // A year and month pass the date check but name no day: today, as a bad date.
        {"202403", today, PickDateAction::Back, {}, "20250610"},
        {"2024.03", today, PickDateAction::Back, {}, "2025.06.10"},
    };
    for (const auto& c : cases) {
        const PickDateStart start = PickDateBegin(QString::fromUtf8(c.input), today);
        EXPECT_EQ(start.calendar, c.opensOn) << c.input;
        EXPECT_EQ(PickDateResult(start, c.action, c.chosen), QString::fromUtf8(c.result)) << c.input;
    }
}

TEST(PickDate, WindowChoosesMovesYearsAndClears) {
    WhenModal<TgetdatumFm>([](TgetdatumFm* window) {
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Dátum kiválasztása"));
        EXPECT_EQ(window->MC_1->selectedDate(), QDate(2024, 3, 15));
        window->b_yearplus->click();
        EXPECT_EQ(window->MC_1->selectedDate(), QDate(2025, 3, 15));
        window->b_yearmin->click();
        window->b_yearmin->click();
        EXPECT_EQ(window->MC_1->selectedDate(), QDate(2023, 3, 15));
        window->MC_1->setSelectedDate(QDate(2023, 3, 20));
        window->b_oke->click();
    });
    EXPECT_EQ(PickDate(QStringLiteral("20240315")), QStringLiteral("20230320"));

    WhenModal<TgetdatumFm>([](TgetdatumFm* window) {
        EXPECT_EQ(window->MC_1->selectedDate(), QDate::currentDate());
        window->b_torol->click();
    });
    EXPECT_EQ(PickDate(EmptyMaskedDate), QString());

    WhenModal<TgetdatumFm>([](TgetdatumFm* window) { window->B_vissza->click(); });
    EXPECT_EQ(PickDate(QStringLiteral("2024.13.45")), QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")));

    // A double-click on the calendar chooses.
    WhenModal<TgetdatumFm>([](TgetdatumFm* window) {
        window->MC_1->setSelectedDate(QDate(2024, 12, 31));
        Q_EMIT window->MC_1->activated(QDate(2024, 12, 31));
    });
    EXPECT_EQ(PickDate(QStringLiteral("2024.12.01")), QStringLiteral("2024.12.31"));
}
