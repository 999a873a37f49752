/*
Codes of the ledger: journal types, VAT codes and VAT accounts,
currencies, cost centres, depreciation methods, storage places.
*/

/* Journal types. The codes of the journal types with a common code equal
   their common codes. */
INSERT INTO SZ_NTIP (KOD, NEV, SZLA, KOZOSKOD) VALUES ('BK', 'Bank', '384', 'BK');
INSERT INTO SZ_NTIP (KOD, NEV, SZLA, KOZOSKOD) VALUES ('PT', 'Pénztár', '381', 'PT');
INSERT INTO SZ_NTIP (KOD, NEV, SZLA, KOZOSKOD) VALUES ('VE', 'Vevő számlák', '311', 'VE');
INSERT INTO SZ_NTIP (KOD, NEV, SZLA, KOZOSKOD) VALUES ('SZ', 'Szállító számlák', '454', 'SZ');
INSERT INTO SZ_NTIP (KOD, NEV, SZLA, KOZOSKOD) VALUES ('NY', 'Nyitó tételek', '491', 'NY');
INSERT INTO SZ_NTIP (KOD, NEV, SZLA, KOZOSKOD) VALUES ('VV', 'Vegyes napló', '', '');
INSERT INTO SZ_NTIP (KOD, NEV, SZLA, KOZOSKOD) VALUES ('BR', 'Bérelszámolás', '471', '');

/* VAT codes. One code per rate: the VAT list builds one set of columns
   per code in the order of the rates, so exempt, zero-rate, reverse
   charge, intra-Community and export items share the code 00. */
INSERT INTO SZ_ADO (KOD, NEV, ERTEK, ALAPERTEK) VALUES ('27', 'Általános adómérték, 27 %', 0.27, 'I');
INSERT INTO SZ_ADO (KOD, NEV, ERTEK, ALAPERTEK) VALUES ('18', 'Kedvezményes adómérték, 18 %', 0.18, 'N');
INSERT INTO SZ_ADO (KOD, NEV, ERTEK, ALAPERTEK) VALUES ('05', 'Kedvezményes adómérték, 5 %', 0.05, 'N');
INSERT INTO SZ_ADO (KOD, NEV, ERTEK, ALAPERTEK) VALUES ('00', '0 %: adómentes, fordított adózású, EU-s és export ügylet', 0, 'N');

/* VAT accounts per journal type: 467 output VAT on customer invoices,
   466 input VAT on supplier invoices, both in the cash journal (cash
   purchases are proposed, JELLEG 'H'; cash sales are chosen, JELLEG 'F').
   SOR65 is the line of the VAT return (65-01 sheet) the items belong to:
   05/06/07 sales at 5/18/27 %, 02 exempt sales, 63 exempt purchases,
   64/65/66 deductible VAT at 5/18/27 %. */
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('VE', '467', '27', 'H', '07', 'Fizetendő ÁFA, 27 %');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('VE', '467', '18', 'H', '06', 'Fizetendő ÁFA, 18 %');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('VE', '467', '05', 'H', '05', 'Fizetendő ÁFA, 5 %');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('VE', '467', '00', 'H', '02', 'Adómentes, 0 %-os értékesítés');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('SZ', '466', '27', 'H', '66', 'Levonható ÁFA, 27 %');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('SZ', '466', '18', 'H', '65', 'Levonható ÁFA, 18 %');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('SZ', '466', '05', 'H', '64', 'Levonható ÁFA, 5 %');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('SZ', '466', '00', 'H', '63', 'Adómentes, 0 %-os beszerzés');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('PT', '466', '27', 'H', '66', 'Készpénzes beszerzés, levonható ÁFA, 27 %');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('PT', '466', '18', 'H', '65', 'Készpénzes beszerzés, levonható ÁFA, 18 %');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('PT', '466', '05', 'H', '64', 'Készpénzes beszerzés, levonható ÁFA, 5 %');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('PT', '466', '00', 'H', '63', 'Készpénzes beszerzés, adómentes, 0 %');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('PT', '467', '27', 'F', '07', 'Készpénzes értékesítés, fizetendő ÁFA, 27 %');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('PT', '467', '18', 'F', '06', 'Készpénzes értékesítés, fizetendő ÁFA, 18 %');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('PT', '467', '05', 'F', '05', 'Készpénzes értékesítés, fizetendő ÁFA, 5 %');
INSERT INTO SZ_ADOASZLA (NTIPUS, ASZLA, KOD, JELLEG, SOR65, MEGNEVEZES) VALUES ('PT', '467', '00', 'F', '02', 'Készpénzes értékesítés, adómentes, 0 %');

/* Currencies. */
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('HUF', 'Magyar forint');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('EUR', 'Euró');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('USD', 'Amerikai dollár');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('GBP', 'Angol font');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('CHF', 'Svájci frank');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('CZK', 'Cseh korona');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('PLN', 'Lengyel zloty');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('RON', 'Román lej');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('RSD', 'Szerb dinár');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('UAH', 'Ukrán hrivnya');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('SEK', 'Svéd korona');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('DKK', 'Dán korona');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('NOK', 'Norvég korona');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('JPY', 'Japán jen');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('CNY', 'Kínai jüan');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('CAD', 'Kanadai dollár');
INSERT INTO SZ_DEVIZA (KOD, NEV) VALUES ('AUD', 'Ausztrál dollár');

/* Cost centres. */
INSERT INTO SZ_KTSGHELY (KOD, NEV, AKTIV) VALUES ('01', 'Igazgatás, központi irányítás', 'I');
INSERT INTO SZ_KTSGHELY (KOD, NEV, AKTIV) VALUES ('02', 'Értékesítés', 'I');
INSERT INTO SZ_KTSGHELY (KOD, NEV, AKTIV) VALUES ('03', 'Termelés, szolgáltatásnyújtás', 'I');

/* Depreciation methods. The depreciation run computes 'BLA'; every other
   method gives no depreciation. */
INSERT INTO SZ_ECSMOD (KOD, NEV) VALUES ('BLA', 'Lineáris, a bruttó érték alapján, napokkal arányosan');
INSERT INTO SZ_ECSMOD (KOD, NEV) VALUES ('NIN', 'Nem amortizálódó eszköz (nincs értékcsökkenés)');

/* Storage places. */
INSERT INTO SZ_RAKTAR (KOD, NEV, CIM) VALUES ('KOZP', 'Központi telephely', '');
