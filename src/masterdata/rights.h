#pragma once
// The rights rule of the control tables (NEZHETI_JOG, IRHATJA_JOG of VEZERLO
// and TABLAK): "X" denies everybody. A user with rights letters
// (Td().CurrentRights) is granted a non-empty value only when the two share
// a letter, the letter "W" granting everything; a user without letters, or
// an empty value, is granted.
#include <QString>

bool JogVan(const QString& rightCode);
