#pragma once
// The gross, net and VAT split of an item: VAT in whole forints, halves
// rounded away from zero.
#include <QString>

struct VatSplit {
    double gross = 0;
    double net = 0;
    double vat = 0;
};

// From the gross amount: the net part is the gross divided by (1 + rate),
// rounded; the VAT is the rounded rest and the net what remains of it.
VatSplit SplitGross(double gross, double rate);
// From the net amount: the VAT is the rounded rate part, the gross the sum.
VatSplit SplitNet(double net, double rate);

// A number as the fields show it after a computation: the workstation's
// default conversion, no thousands separator, the workstation's decimal
// separator.
QString AmountText(double value);
