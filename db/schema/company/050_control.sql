/*
Company database: the control tables of the generated data-entry panels.
VEZERLO: one row per field of a panel; the rows of one panel share MODUL
(by default the table name) and are laid out in SORREND order. The
declared length of MEGNEVEZES sets the label width of the panels.
*/

CREATE TABLE VEZERLO (
  MODUL        VARCHAR(40) NOT NULL,
  SORREND      INTEGER NOT NULL,
  MEZO         VARCHAR(31),
  MEGNEVEZES   VARCHAR(40),
  OSZLOPNEV    VARCHAR(30),
  NEZHETI_JOG  VARCHAR(10),
  IRHATJA_JOG  VARCHAR(10),
  CHARCASE     VARCHAR(1),
  PWDCHAR      VARCHAR(1),
  PVEZERLO     VARCHAR(31),
  EDITMASK     VARCHAR(30),
  NOTNULL      VARCHAR(1),
  ECOLOR       VARCHAR(20),
  VALID        INTEGER,
  VALT_MEZO    VARCHAR(31),
  BUTTON       VARCHAR(10),
  FUNKCIO      INTEGER DEFAULT 0,
  SZOT_        VARCHAR(40),
  VALT_        VARCHAR(40),
  KEYNUM       INTEGER DEFAULT 0,
  SZOTMEZO     VARCHAR(31),
  SZOTWHERE    VARCHAR(250),
  PLUSFIELD1   VARCHAR(250),
  PLUSFIELD2   VARCHAR(250),
  PLUSFIELD3   VARCHAR(250),
  PLUSFIELD1H  INTEGER DEFAULT 0,
  PLUSFIELD2H  INTEGER DEFAULT 0,
  CONSTRAINT PK_VEZERLO PRIMARY KEY (MODUL, SORREND)
);

/* Lookups that spread a chosen record over several fields of a panel:
   the column SZOTMEZO of the chosen record goes into the field QMEZO,
   MUVELET '+' also fills the field's info label from SZOTMEZO2
   (table.column, read by KOD). */
CREATE TABLE PVEZERLO (
  PANEL      VARCHAR(31) NOT NULL,
  QMEZO      VARCHAR(31) NOT NULL,
  SZOTMEZO   VARCHAR(31),
  SZOTMEZO2  VARCHAR(63),
  MUVELET    VARCHAR(1),
  CONSTRAINT PK_PVEZERLO PRIMARY KEY (PANEL, QMEZO)
);

/* The maintainable tables: the "Törzsek" menu, view and write rights
   ('X' denies), window options. */
CREATE TABLE TABLAK (
  TABLANEV     VARCHAR(31) NOT NULL,
  MEGNEVEZES   VARCHAR(60),
  NEZHETI_JOG  VARCHAR(10),
  IRHATJA_JOG  VARCHAR(10),
  WINDOWSTATE  VARCHAR(10),
  GRIDEDIT     VARCHAR(60),
  CONSTRAINT PK_TABLAK PRIMARY KEY (TABLANEV)
);

/* Dictionary of user-interface texts. */
CREATE TABLE SZOTAR (
  MAGYAR  VARCHAR(250) NOT NULL,
  ANGOL   VARCHAR(250),
  CONSTRAINT PK_SZOTAR PRIMARY KEY (MAGYAR)
);

/* Default values of new records per control set. */
CREATE TABLE DIFOLC (
  MODUL    VARCHAR(40) NOT NULL,
  SORREND  INTEGER NOT NULL,
  MEZO     VARCHAR(31),
  ERTEK    VARCHAR(120),
  CONSTRAINT PK_DIFOLC PRIMARY KEY (MODUL, SORREND)
);

/* Audit trail: who changed which column of which row, when
   (MIKOR "yyyy.mm.dd hh:nn:ss"). */
CREATE TABLE DOKU (
  JUZER       VARCHAR(30),
  MIKOR       VARCHAR(19),
  TABLA       VARCHAR(31),
  KULCSERTEK  VARCHAR(120),
  AKCIO       VARCHAR(10),
  MEZO        VARCHAR(31),
  MIROL       VARCHAR(250),
  MIRE        VARCHAR(250)
);
CREATE INDEX DOKU_TABLA ON DOKU (TABLA, KULCSERTEK);
CREATE INDEX DOKU_MIKOR ON DOKU (MIKOR);

/* Register of the temporary result tables ("TMP_" + ...) made by the
   report runs: who made which table, when and for which report. The
   clean-up of temporary tables never drops this table itself. */
CREATE TABLE TMP_TABLAK (
  TABLANEV    VARCHAR(31) NOT NULL,
  JUZER       VARCHAR(30),
  LETREHOZVA  VARCHAR(19),
  RIPORT      VARCHAR(30),
  CONSTRAINT PK_TMP_TABLAK PRIMARY KEY (TABLANEV)
);
