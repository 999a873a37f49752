/*
Company database: domains.
TORT is the amount type of the company database: every forint and
currency amount of the ledger, the asset cards and the formula tables,
and the accumulated columns of the report result tables, which are
increased by updates and therefore start from 0.
*/

CREATE DOMAIN TORT AS DOUBLE PRECISION DEFAULT 0;
