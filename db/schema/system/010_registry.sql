/*
System database: the registry of company-year databases and the
installation record.
*/

/* One row per company and business year. DBSERVER is the address string
   of the company-year database (a local path or server:path). */
CREATE TABLE CEGEK (
  KOD         VARCHAR(7) NOT NULL,
  AKTUALISEV  VARCHAR(4) NOT NULL,
  NEV         VARCHAR(100),
  DBSERVER    VARCHAR(250),
  NYITVA      VARCHAR(1),
  CONSTRAINT PK_CEGEK PRIMARY KEY (KOD, AKTUALISEV)
);

/* The installation record. The three FTP columns of the program update
   server are stored encoded. */
CREATE TABLE SZISZTEM (
  KOD        VARCHAR(20) NOT NULL,
  NEV        VARCHAR(100),
  FTPHOST    VARCHAR(250),
  FTPUSERID  VARCHAR(250),
  FTPPWDID   VARCHAR(250),
  CONSTRAINT PK_SZISZTEM PRIMARY KEY (KOD)
);
