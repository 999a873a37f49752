/*
Company database: the items of one ledger item by voucher and link number.
The VAT list finds the VAT rows of every base item of a period by its
journal type, voucher number and link number; a cash voucher holds a whole
day's items, so the voucher alone would leave hundreds of rows to read for
each of them.
*/

CREATE INDEX TETEL_KAPOCS ON TETEL (NTIPUS, KONYVBIZ, KAPOCS);
