#pragma once
// The text rules of the date picker: where its calendar starts for the text
// of a date field, and what goes back into the field for each way of
// leaving it. Dates without points ("20240315") come back without points.
#include <QDate>
#include <QString>

// The empty masked date field.
inline const QString EmptyMaskedDate = QStringLiteral("    .  .  ");

struct PickDateStart {
    QDate calendar;               // the day the calendar shows first
    QString back;                 // returned by "Vissza": the input, or today for a bad date
    bool withoutPoints = false;   // the input was a valid date written without points
};

enum class PickDateAction { Choose, Back, Clear };

PickDateStart PickDateBegin(const QString& text, const QDate& today = QDate::currentDate());
QString PickDateResult(const PickDateStart& start, PickDateAction action, const QDate& chosen);
