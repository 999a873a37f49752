#pragma once
// Stored amounts shown the way a bookkeeper types them: blanks between the
// groups of thousands and a decimal comma, "-1 500,5", whatever the
// workstation's own decimal separator is. The amount reader takes these texts
// back as the same amounts.
#include <QString>

// An amount in a list or grid: at most two decimals (halves away from zero),
// none when they are zero ("###,###,##0.##").
QString AmountDisplay(double value);

// An amount in an edit field: every decimal the amount has (up to fifteen
// significant digits), so that storing the field again keeps the amount.
QString AmountFieldText(double value);
// A field's text shown as an amount when it is one; any other text (empty,
// half typed, refused) is left as it stands.
QString AmountFieldText(const QString& text);
