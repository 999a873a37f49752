/*
The company record of the empty template: neutral values, to be replaced
by the company's own data when a company database is made from the
template. The year is open; partners, the bank/cash document number and
automatic voucher numbers are on, currencies off; depreciation yearly
with the straight-line method, VAT quarterly; total-cost income statement
and balance sheet variant A.
*/

INSERT INTO CEG (KOD, AKTUALISEV, NEV, IRSZAM, HELYSEG, CIM1, CIM2, CIM3, ADOSZAM, KOZADOSZAM, CEGJEGYZEKSZAM, KSHSZAM, ADOJEL, ELODADOSZAM, TELEFON, EMAIL, BEVALLO, BANKNEV, BANKSZAMLA, NYITVA, VANUGYFEL, VANPENZTAR, VANDEVIZA, VANKONYVBIZ, ECSHONAP, ECSMOD, AFAHONAP, EREDMENYTIPUS, MERLEGTIPUS) VALUES ('CEG', '2026', 'Új cég (a cégadatokat ki kell tölteni)', '', '', '', '', '', '', '', '', '', '', '', '', '', '', '', '', 'I', 'I', 'I', 'N', 'I', 12, 'BLA', 3, 'O', 'A');
