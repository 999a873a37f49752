/*
Company database: the company record, the users and the sequence counters.
*/

/* The company record: one row per company database. The flags are
   'I'/'N'; ECSHONAP and AFAHONAP are the depreciation and VAT periods in
   months; EREDMENYTIPUS 'O' total-cost or 'F' cost-of-sales income
   statement; MERLEGTIPUS balance sheet variant 'A' or 'b'. ADOJEL is the
   personal tax identifier of a taxpayer who is a private individual,
   BEVALLO the person who files the returns. */
CREATE TABLE CEG (
  KOD             VARCHAR(7) NOT NULL,
  AKTUALISEV      VARCHAR(4) NOT NULL,
  NEV             VARCHAR(100),
  IRSZAM          VARCHAR(10),
  HELYSEG         VARCHAR(40),
  CIM1            VARCHAR(60),
  CIM2            VARCHAR(60),
  CIM3            VARCHAR(60),
  ADOSZAM         VARCHAR(15),
  KOZADOSZAM      VARCHAR(15),
  CEGJEGYZEKSZAM  VARCHAR(20),
  KSHSZAM         VARCHAR(20),
  ADOJEL          VARCHAR(10),
  ELODADOSZAM     VARCHAR(15),
  TELEFON         VARCHAR(30),
  EMAIL           VARCHAR(80),
  BEVALLO         VARCHAR(60),
  BANKNEV         VARCHAR(60),
  BANKSZAMLA      VARCHAR(34),
  NYITVA          VARCHAR(1),
  VANUGYFEL       VARCHAR(1),
  VANPENZTAR      VARCHAR(1),
  VANDEVIZA       VARCHAR(1),
  VANKONYVBIZ     VARCHAR(1),
  ECSHONAP        INTEGER,
  ECSMOD          VARCHAR(5),
  AFAHONAP        INTEGER,
  EREDMENYTIPUS   VARCHAR(1),
  MERLEGTIPUS     VARCHAR(1),
  CONSTRAINT PK_CEG PRIMARY KEY (KOD, AKTUALISEV)
);

/* Users. JELSZO holds a password hash string (Argon2id, about 100
   characters); JOGOK the user's right letters ('W' all rights).
   KOD is part of the names of temporary result tables, hence short. */
CREATE TABLE SZ_JUZER (
  KOD         VARCHAR(8) NOT NULL,
  NEV         VARCHAR(30),
  TELJESNEV   VARCHAR(60),
  JELSZO      VARCHAR(128),
  AKTIV       VARCHAR(1),
  JOGOK       VARCHAR(20),
  MEGJEGYZES  VARCHAR(120),
  CONSTRAINT PK_SZ_JUZER PRIMARY KEY (KOD)
);
CREATE INDEX SZ_JUZER_NEV ON SZ_JUZER (NEV);

/* Sequence counters, one per kind and business year. FAJTA is a journal
   type code or 'SORSZAM', 'ESZKOZ', 'NY'; FOGLALT names the user who is
   allocating at the moment (empty when free). */
CREATE TABLE SORSZAM (
  FAJTA    VARCHAR(20) NOT NULL,
  EV       VARCHAR(4) NOT NULL,
  ELSO     INTEGER,
  UTOLSO   INTEGER,
  FOGLALT  VARCHAR(30),
  CONSTRAINT PK_SORSZAM PRIMARY KEY (FAJTA, EV)
);
