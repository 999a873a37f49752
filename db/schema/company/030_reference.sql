/*
Company database: the reference tables of the ledger codes.
Codes are texts. Account numbers begin with their account class; the
reports select accounts by prefix, so a postable account ("K") is never the
beginning of another postable account's number.
*/

/* Chart of accounts. KARTON: 'K' postable account with its own card,
   'G' collective account. */
CREATE TABLE SZ_TUKOR (
  SZLA    VARCHAR(10) NOT NULL,
  SZOVEG  VARCHAR(120),
  KARTON  VARCHAR(1),
  CONSTRAINT PK_SZ_TUKOR PRIMARY KEY (SZLA)
);

/* Account names keyed by KOD, for the info texts of lookups that read
   a name by "KOD". */
CREATE VIEW SZ_TUKOR_NEV (KOD, SZOVEG, KARTON) AS
  SELECT SZLA, SZOVEG, KARTON FROM SZ_TUKOR;

/* Journal types. SZLA is the default account of the journal type,
   KOZOSKOD tells the role: BK bank, VE customer invoices,
   SZ supplier invoices, PT cash, NY opening items. */
CREATE TABLE SZ_NTIP (
  KOD       VARCHAR(2) NOT NULL,
  NEV       VARCHAR(30),
  SZLA      VARCHAR(10),
  KOZOSKOD  VARCHAR(2),
  CONSTRAINT PK_SZ_NTIP PRIMARY KEY (KOD)
);

/* VAT codes. ERTEK is the rate as a fraction (0.27); ALAPERTEK 'I'
   marks the default code. */
CREATE TABLE SZ_ADO (
  KOD        VARCHAR(2) NOT NULL,
  NEV        VARCHAR(60),
  ERTEK      DOUBLE PRECISION DEFAULT 0,
  ALAPERTEK  VARCHAR(1),
  CONSTRAINT PK_SZ_ADO PRIMARY KEY (KOD)
);

/* VAT accounts per journal type and VAT code. JELLEG 'H' marks the row
   the voucher window proposes for the default VAT code; SOR65 is the
   line of the VAT return proposed for the items of the row. */
CREATE TABLE SZ_ADOASZLA (
  NTIPUS      VARCHAR(2) NOT NULL,
  ASZLA       VARCHAR(10) NOT NULL,
  KOD         VARCHAR(2) NOT NULL,
  JELLEG      VARCHAR(1),
  SOR65       VARCHAR(3),
  MEGNEVEZES  VARCHAR(60),
  CONSTRAINT PK_SZ_ADOASZLA PRIMARY KEY (NTIPUS, ASZLA, KOD)
);
CREATE INDEX SZ_ADOASZLA_ASZLA ON SZ_ADOASZLA (ASZLA);

/* Partners (customers and suppliers). ADOSZAM is the tax number of a
   business ("12345678-1-12"); ADOAZONJEL, SZULDAT and TAJSZAM are the
   personal data of a private individual. PFJSZ is the bank account
   number printed by the partner reports. */
CREATE TABLE UGYFEL (
  KOD         VARCHAR(7) NOT NULL,
  NEV         VARCHAR(60),
  VEVO        VARCHAR(1),
  SZALLITO    VARCHAR(1),
  ORSZAG      VARCHAR(2),
  IRSZAM      VARCHAR(10),
  VAROS       VARCHAR(40),
  CIM         VARCHAR(80),
  ADOSZAM     VARCHAR(15),
  KOZADOSZAM  VARCHAR(15),
  SZULDAT     VARCHAR(10),
  ADOAZONJEL  VARCHAR(10),
  TAJSZAM     VARCHAR(9),
  PFJSZ       VARCHAR(34),
  TELEFON     VARCHAR(30),
  EMAIL       VARCHAR(80),
  KAPCSOLAT   VARCHAR(60),
  MEGJEGYZES  BLOB SUB_TYPE TEXT,
  CONSTRAINT PK_UGYFEL PRIMARY KEY (KOD)
);
CREATE INDEX UGYFEL_NEV ON UGYFEL (NEV);

/* Cost centres. AKTIV 'N' marks an inactive cost centre. */
CREATE TABLE SZ_KTSGHELY (
  KOD    VARCHAR(10) NOT NULL,
  NEV    VARCHAR(60),
  AKTIV  VARCHAR(1),
  CONSTRAINT PK_SZ_KTSGHELY PRIMARY KEY (KOD)
);

/* Currencies. */
CREATE TABLE SZ_DEVIZA (
  KOD  VARCHAR(3) NOT NULL,
  NEV  VARCHAR(40),
  CONSTRAINT PK_SZ_DEVIZA PRIMARY KEY (KOD)
);
