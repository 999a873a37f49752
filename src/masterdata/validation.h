#pragma once
// The checks of a generated edit when the user leaves it. The edit's tag is
// its validation code (VALID of its control row); the check tells the user
// what is wrong and sends the focus back, or rewrites the text, or writes a
// computed value into the edit the focus goes to. Companion fields are found
// by name in the same panel (E_SZULDAT, E_ADOSZAM, the label's hint).
#include <QString>

#include "masterdata/panel_values.h"

// editName: the edit being left; nextName: the control that receives the
// focus (empty when none). Texts are changed in `panel`. Returns the name of
// the control that should get the focus (empty: leave it where it goes).
QString Validal(PanelValues& panel, const QString& editName, const QString& nextName);

// "8" and the days since 1867.01.01 as five digits: how a tax identifier
// begins for a birth date "yyyy.mm.dd" (empty for a date that is no date).
QString TaxIdDayCode(const QString& birthDate);
