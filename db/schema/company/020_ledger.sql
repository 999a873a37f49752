/*
Company database: the ledger item table.
One row is one complete double entry (debit account SZLA, credit account
ESZLA, amount ERTEK). A voucher is the rows with equal NTIPUS and KONYVBIZ,
an item is the rows with equal SORSZAM and KAPOCS (main row and an
optional VAT row marked TART_KOV = 'A'). Dates are "yyyy.mm.dd" texts.
The table has no primary key: single rows are addressed by
(SORSZAM, SZLA, ESZLA), and imported rows may repeat it.
Text columns are nullable because imported rows may hold nulls.
*/

CREATE TABLE TETEL (
  SORSZAM      VARCHAR(15),
  SZLA         VARCHAR(10),
  ESZLA        VARCHAR(10),
  ERTEK        TORT,
  KONYVELVE    VARCHAR(10),
  TELJKELT     VARCHAR(10),
  SZLAKELT     VARCHAR(10),
  FIZHATIDO    VARCHAR(10),
  BIZKELT      VARCHAR(10),
  NTIPUS       VARCHAR(2),
  KONYVBIZ     VARCHAR(15),
  BIZONYLAT    VARCHAR(15),
  SZAMLASZAM   VARCHAR(30),
  UGYFELKOD    VARCHAR(7),
  KTSGHELY     VARCHAR(10),
  DEVIZANEM    VARCHAR(3),
  ARFOLYAM     DOUBLE PRECISION,
  DEVIZAERTEK  TORT,
  KAPOCS       VARCHAR(9),
  TIPUS        VARCHAR(1),
  TART_KOV     VARCHAR(1),
  SZOVEG       VARCHAR(120),
  AFAKULCS     VARCHAR(2),
  SOR65        VARCHAR(3)
);

/* Trial balance, account cards, reconciliation table, year closing. */
CREATE INDEX TETEL_SZLA ON TETEL (SZLA);
CREATE INDEX TETEL_ESZLA ON TETEL (ESZLA);

/* Vouchers: journal, link numbers, VAT list, voucher window grid. */
CREATE INDEX TETEL_BIZONYLAT ON TETEL (NTIPUS, KONYVBIZ);

/* Items: the VAT row of an item and single-row updates. */
CREATE INDEX TETEL_TETEL ON TETEL (SORSZAM, KAPOCS);

/* Invoices and their payments: partner ledger, settlement, year closing. */
CREATE INDEX TETEL_SZAMLA ON TETEL (UGYFELKOD, SZAMLASZAM);
CREATE INDEX TETEL_SZAMLASZAM ON TETEL (SZAMLASZAM);

/* Period criteria of the reports. */
CREATE INDEX TETEL_TELJKELT ON TETEL (TELJKELT);
