#pragma once
// Rules the main menu applies to the windows it opens.
#include <QString>

// The caption of a window opened from the menu: the item's caption without
// its "&" marks, " * " and the business year of the open company.
QString MenuNev(const QString& itemCaption);

// The closed-year check of the entry functions: false, after the message
// "Az év le van zárva.", when the open company's year is not open.
bool YearOpenCheck();
