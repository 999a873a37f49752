/*
Company database: the formula tables of the statements, the structure of
the partner ledger and the field map of the VAT return form.
*/

/* Income statement lines in thousand forints. ID is the order of
   computation and printing. KEPLETHOL 'TE' (debit balance) or 'KE'
   (credit balance) of the accounts in KEPLET joined by "+"; a kind
   beginning with 'E' sums the lines whose SORSZAM is listed in KEPLET
   ("A.+B.-C."). The line 'G.' is the profit taken into the balance
   sheet. ELOZOEV is filled by the year closing. */
CREATE TABLE EREDMENY (
  ID          INTEGER NOT NULL,
  SORSZAM     VARCHAR(10),
  MEGNEVEZES  VARCHAR(150),
  KEPLETHOL   VARCHAR(2),
  KEPLET      VARCHAR(250),
  ELOZOEV     TORT,
  TARGYEV     TORT,
  CONSTRAINT PK_EREDMENY PRIMARY KEY (ID)
);

/* Balance sheet lines in thousand forints. ID is the printing order:
   below 521 the assets, from 521 the liabilities. SZSORSZAM is the order
   of computation (0: not computed). KEPLETHOL: 'K' accounts with "+"
   and "-", 'M' sum of the lines whose ID is listed, 'E1'/'E2' the
   netted tax and payroll settlement accounts on the asset and the
   liability side, 'E' the profit of the income statement; a "-" as
   second character negates the line. */
CREATE TABLE MERLEG (
  ID          INTEGER NOT NULL,
  SZSORSZAM   INTEGER DEFAULT 0,
  SORSZAM     VARCHAR(10),
  MEGNEVEZES  VARCHAR(150),
  KEPLETHOL   VARCHAR(2),
  KEPLET      VARCHAR(250),
  ELOZOEV     TORT,
  TARGYEV     TORT,
  CONSTRAINT PK_MERLEG PRIMARY KEY (ID)
);

/* Structure of the customer and supplier ledger: each run copies it
   under a temporary name and fills the copy. One row per invoice line:
   the invoice (SORREND 'A' on its first line, 'B' on each further
   payment line) and one payment item (columns P...). Plain types only,
   so that the structure copies as it stands. */
CREATE TABLE EGYENLEG (
  UGYFELKOD   VARCHAR(7),
  UGYFELNEV   VARCHAR(60),
  NTIPUS      VARCHAR(2),
  KONYVBIZ    VARCHAR(15),
  SZAMLASZAM  VARCHAR(30),
  TELJKELT    VARCHAR(10),
  FIZHATIDO   VARCHAR(10),
  ERTEK       DOUBLE PRECISION,
  DEVERTEK    DOUBLE PRECISION,
  DEVIZANEM   VARCHAR(3),
  SORREND     VARCHAR(1),
  PNTIPUS     VARCHAR(2),
  PBIZONYLAT  VARCHAR(15),
  PKONYVBIZ   VARCHAR(15),
  PTELJKELT   VARCHAR(10),
  PERTEK      DOUBLE PRECISION,
  PDEVERTEK   DOUBLE PRECISION,
  PDEVIZANEM  VARCHAR(3)
);

/* Field map of the VAT return form file: the system's field name
   MEZONEV on page LAP of form NYOMTATVANY (two-digit year + "65A") of
   year EV is written under the form's field identifier EAZON. */
CREATE TABLE ANYK_DEF (
  NYOMTATVANY  VARCHAR(10) NOT NULL,
  EV           VARCHAR(4) NOT NULL,
  MEZONEV      VARCHAR(30) NOT NULL,
  LAP          VARCHAR(20) NOT NULL,
  EAZON        VARCHAR(30),
  CONSTRAINT PK_ANYK_DEF PRIMARY KEY (NYOMTATVANY, EV, MEZONEV, LAP)
);
