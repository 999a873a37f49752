/* The vouchers of voucher files that are stored: the file by the SHA-256
   digest of its content, the voucher by its key in the file. Each row is
   written with its voucher, so a file posted again stores only what is
   still missing. */
CREATE TABLE KONYVELT_FAJL (
  DIGEST    VARCHAR(64) NOT NULL,
  VOUCHER   VARCHAR(60) NOT NULL,
  NTIPUS    VARCHAR(3),
  KONYVBIZ  VARCHAR(15),
  CONSTRAINT PK_KONYVELT_FAJL PRIMARY KEY (DIGEST, VOUCHER)
);
