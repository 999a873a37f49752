/*
Company database: import of ledger items from other programs and
spreadsheets.
*/

/* Import formats. Each format (FORMATUM) has one heading row with
   SORREND 0 that describes the file: FAJLTIPUS 'XLSX', 'CSV' or 'TXT',
   ELVALASZTO the column separator of text files (';', ',' or 'TAB'),
   KODLAP 'UTF-8' or 'WINDOWS-1250', FEJLECSOR the number of heading lines
   to skip, LAPNEV the worksheet to read (empty: the first one), and
   BIZONYLATKULCS the source column whose change of value starts a new
   voucher (each imported voucher gets its own voucher number),
   TIZEDESJEL the decimal mark of the file's amounts (',' or '.'; empty:
   an amount that could be read either way, such as "1.234", is refused).
   The rows with SORREND 1, 2, ... map the file's columns to TETEL:
   OSZLOP is the source column (its heading text, or a column letter
   such as "C", or a 1-based column number), MEZO the TETEL column it
   fills, ALAPERTEK the value used when the source is empty (or the only
   value when OSZLOP is empty), ATALAKITAS the conversion: '' text as it
   is, 'NAGYBETU' upper case, 'DATUM' date to "yyyy.mm.dd", 'SZAM' number
   (decimal comma or point), 'ELOJEL' number with its sign reversed,
   KOTELEZO 'I' rejects a line whose value is empty. */
CREATE TABLE BEOVEZ (
  FORMATUM        VARCHAR(20) NOT NULL,
  SORREND         INTEGER NOT NULL,
  MEGNEVEZES      VARCHAR(60),
  FAJLTIPUS       VARCHAR(5),
  ELVALASZTO      VARCHAR(5),
  KODLAP          VARCHAR(20),
  FEJLECSOR       INTEGER DEFAULT 0,
  LAPNEV          VARCHAR(31),
  BIZONYLATKULCS  VARCHAR(31),
  TIZEDESJEL      VARCHAR(1),
  OSZLOP          VARCHAR(60),
  MEZO            VARCHAR(31),
  ALAPERTEK       VARCHAR(120),
  ATALAKITAS      VARCHAR(10),
  KOTELEZO        VARCHAR(1),
  CONSTRAINT PK_BEOVEZ PRIMARY KEY (FORMATUM, SORREND)
);

/* Import log: one row per run. MIKOR "yyyy.mm.dd hh:nn:ss"; the counts
   of lines read, ledger rows and vouchers written and lines rejected,
   EREDMENY 'SIKERES' (all stored), 'HIBAS' (nothing stored), 'PROBA'
   (checked only, nothing stored); the first and last item serial numbers
   written, so that an import can be found and undone; UZENET the
   messages of the run. */
CREATE TABLE BEOLOG (
  MIKOR          VARCHAR(19) NOT NULL,
  JUZER          VARCHAR(30),
  FORMATUM       VARCHAR(20),
  FAJL           VARCHAR(250),
  SOROK          INTEGER DEFAULT 0,
  TETELEK        INTEGER DEFAULT 0,
  BIZONYLATOK    INTEGER DEFAULT 0,
  HIBAK          INTEGER DEFAULT 0,
  EREDMENY       VARCHAR(10),
  ELSOSORSZAM    VARCHAR(15),
  UTOLSOSORSZAM  VARCHAR(15),
  UZENET         BLOB SUB_TYPE TEXT
);
CREATE INDEX BEOLOG_MIKOR ON BEOLOG (MIKOR);

/* The vouchers of imported files that are stored: the file by the SHA-256
   digest of its content, the voucher by its key in the file (the value of
   the format's BIZONYLATKULCS column, or the number of its first line when
   the format has none). Each row is written with its voucher, so a file
   imported again stores only what is still missing. */
CREATE TABLE BEOVETT (
  DIGEST    VARCHAR(64) NOT NULL,
  KULCS     VARCHAR(60) NOT NULL,
  NTIPUS    VARCHAR(3),
  KONYVBIZ  VARCHAR(15),
  CONSTRAINT PK_BEOVETT PRIMARY KEY (DIGEST, KULCS)
);
