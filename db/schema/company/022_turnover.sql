/*
Company database: the turnover table, the ledger items summed by debit
account, credit account, fulfilment date and journal type. The trial
balance and the reports built on it read this table instead of every item.
A trigger on TETEL adds one row per inserted item row and a pair of rows
(old amount negated, new amount) per changed or deleted one, so posting
never updates a shared row and two workstations never wait on each other.
The added rows are merged into one row per key from time to time
(OSSZEVONT 1 marks a merged row, null an added one); the sums stay the
same.
*/

CREATE TABLE FORGALOM (
  SZLA       VARCHAR(10),
  ESZLA      VARCHAR(10),
  TELJKELT   VARCHAR(10),
  NTIPUS     VARCHAR(2),
  ERTEK      TORT,
  OSSZEVONT  SMALLINT
);
