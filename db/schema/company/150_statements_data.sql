/*
Income statement, total-cost method ("A" variant, összköltség eljárás),
in thousand forints.
'TE' lines take the debit balance, 'KE' lines the credit balance of the
listed accounts of the trial balance (a collective account stands for all
its sub-accounts). 'E' lines add the lines listed before the first "-"
and subtract those after it; they come after the lines they read.
Every postable account of classes 5 to 9 is counted in exactly one
account line: the class 5 costs together with the class 8 accounts that
take them over at year end (51+811, 52+812 ...), and classes 6, 7 with
their contra account 59 in line 07 (they net to zero when used as
intended). So the profit line equals the balance of classes 5 to 9.
The line "G." is the profit the balance sheet takes over (D/VII): since
dividends no longer pass through the income statement it equals "D.".
*/

INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (10, '01.', 'Belföldi értékesítés nettó árbevétele', 'KE', '91', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (20, '02.', 'Exportértékesítés nettó árbevétele', 'KE', '93', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (30, 'I.', 'Értékesítés nettó árbevétele (01+02)', 'E', '01.+02.', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (40, '03.', 'Saját termelésű készletek állományváltozása', 'KE', '581', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (50, '04.', 'Saját előállítású eszközök aktivált értéke', 'KE', '582', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (60, 'II.', 'Aktivált saját teljesítmények értéke (±03+04)', 'E', '03.+04.', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (70, 'III.', 'Egyéb bevételek', 'KE', '96', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (80, '05.', 'Anyagköltség', 'TE', '51+811', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (90, '06.', 'Igénybe vett szolgáltatások értéke', 'TE', '52+812', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (100, '07.', 'Egyéb szolgáltatások értéke', 'TE', '53+813+59+6+7', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (110, '08.', 'Eladott áruk beszerzési értéke', 'TE', '814', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (120, '09.', 'Eladott (közvetített) szolgáltatások értéke', 'TE', '815', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (130, 'IV.', 'Anyagjellegű ráfordítások (05+06+07+08+09)', 'E', '05.+06.+07.+08.+09.', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (140, '10.', 'Bérköltség', 'TE', '54+821', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (150, '11.', 'Személyi jellegű egyéb kifizetések', 'TE', '55+822', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (160, '12.', 'Bérjárulékok', 'TE', '56+823', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (170, 'V.', 'Személyi jellegű ráfordítások (10+11+12)', 'E', '10.+11.+12.', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (180, 'VI.', 'Értékcsökkenési leírás', 'TE', '57+83', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (190, 'VII.', 'Egyéb ráfordítások', 'TE', '86', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (200, 'A.', 'ÜZEMI (ÜZLETI) TEVÉKENYSÉG EREDMÉNYE (I+II+III-IV-V-VI-VII)', 'E', 'I.+II.+III.-IV.-V.-VI.-VII.', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (210, '13.', 'Kapott (járó) osztalék és részesedés', 'KE', '971', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (220, '14.', 'Részesedésekből származó bevételek, árfolyamnyereségek', 'KE', '972', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (230, '15.', 'Befektetett pénzügyi eszközökből (értékpapírokból, kölcsönökből) származó bevételek, árfolyamnyereségek', 'KE', '973', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (240, '16.', 'Egyéb kapott (járó) kamatok és kamatjellegű bevételek', 'KE', '974', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (250, '17.', 'Pénzügyi műveletek egyéb bevételei', 'KE', '975', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (260, 'VIII.', 'Pénzügyi műveletek bevételei (13+14+15+16+17)', 'E', '13.+14.+15.+16.+17.', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (270, '18.', 'Részesedésekből származó ráfordítások, árfolyamveszteségek', 'TE', '871', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (280, '19.', 'Befektetett pénzügyi eszközökből (értékpapírokból, kölcsönökből) származó ráfordítások, árfolyamveszteségek', 'TE', '872', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (290, '20.', 'Fizetendő (fizetett) kamatok és kamatjellegű ráfordítások', 'TE', '873', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (300, '21.', 'Részesedések, értékpapírok, tartósan adott kölcsönök, bankbetétek értékvesztése', 'TE', '874', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (310, '22.', 'Pénzügyi műveletek egyéb ráfordításai', 'TE', '875', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (320, 'IX.', 'Pénzügyi műveletek ráfordításai (18+19+20+21+22)', 'E', '18.+19.+20.+21.+22.', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (330, 'B.', 'PÉNZÜGYI MŰVELETEK EREDMÉNYE (VIII-IX)', 'E', 'VIII.-IX.', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (340, 'C.', 'ADÓZÁS ELŐTTI EREDMÉNY (±A±B)', 'E', 'A.+B.', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (350, 'X.', 'Adófizetési kötelezettség', 'TE', '89', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (360, 'D.', 'ADÓZOTT EREDMÉNY (±C-X)', 'E', 'C.-X.', 0, 0);
INSERT INTO EREDMENY (ID, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (370, 'G.', 'MÉRLEG SZERINTI EREDMÉNY (= D., a mérleg D/VII. sora)', 'E', 'D.', 0, 0);

/*
Balance sheet, "A" variant, in thousand forints, with the lines of the
simplified annual report of a small company.
ID below 521: assets, 'K' adds the balances of the listed accounts as
they are (debit positive). ID from 521: liabilities, 'K' takes
"+" accounts with their credit balance positive and "-" accounts the
other way. SZSORSZAM puts the 'M' sum lines after the lines they add.
Every postable account of classes 1 to 4 is counted exactly once:
- in an account line ('K'), or
- in the netted tax, payroll and VAT settlement accounts (361, 362-363,
  461, 462, 463-464, 465, 4661-4667 with 469 and 47), which the 'E1'
  line shows on the asset side when their balance is a debit and the
  'E2' line on the liability side when it is a credit. 466 is taken
  without 4661 and 4667, which the netting reads.
491-493 (opening balance, closing balance and profit settlement
accounts) belong to the retained earnings: after a year closing the
opening balance account carries the previous year's profit until it is
booked to 413. The profit of the year (line VII) shows the "G." line of
the income statement computed last: its formula, the credit balance of
the result accounts, says what that line is. So total assets equal total
liabilities.
*/

INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (10, 100, 'A.', 'BEFEKTETETT ESZKÖZÖK (I+II+III)', 'M', '20+30+40', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (20, 10, 'I.', 'Immateriális javak', 'K', '11+351', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (30, 20, 'II.', 'Tárgyi eszközök', 'K', '12+13+14+15+16+352', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (40, 30, 'III.', 'Befektetett pénzügyi eszközök', 'K', '17+18+19', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (50, 130, 'B.', 'FORGÓESZKÖZÖK (I+II+III+IV)', 'M', '60+70+100+110', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (60, 40, 'I.', 'Készletek', 'K', '2+353', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (70, 110, 'II.', 'Követelések', 'M', '80+90', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (80, 50, '', 'ebből: vevők, adott előlegek, kölcsönök és egyéb követelések', 'K', '31+32+33+34+354+359+364+365+366+367+368+369', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (90, 60, '', 'ebből: adó-, járulék- és munkavállalói elszámolások követelése', 'E1', '361+362+363+461+462+463+464+465+4661+4667', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (100, 70, 'III.', 'Értékpapírok', 'K', '37', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (110, 80, 'IV.', 'Pénzeszközök', 'K', '38', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (120, 90, 'C.', 'AKTÍV IDŐBELI ELHATÁROLÁSOK', 'K', '39', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (130, 140, '', 'ESZKÖZÖK (AKTÍVÁK) ÖSSZESEN (A+B+C)', 'M', '10+50+120', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (521, 300, 'D.', 'SAJÁT TŐKE (I+II+III+IV+V+VI+VII)', 'M', '530+540+550+560+570+580+590', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (530, 200, 'I.', 'Jegyzett tőke', 'K', '411', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (540, 210, 'II.', 'Jegyzett, de még be nem fizetett tőke (-)', 'K', '416', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (550, 220, 'III.', 'Tőketartalék', 'K', '412', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (560, 230, 'IV.', 'Eredménytartalék', 'K', '413+419+49', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (570, 240, 'V.', 'Lekötött tartalék', 'K', '414', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (580, 250, 'VI.', 'Értékelési tartalék', 'K', '417', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (590, 260, 'VII.', 'Adózott eredmény', 'K', '5+6+7+8+9', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (600, 270, 'E.', 'CÉLTARTALÉKOK', 'K', '42', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (610, 330, 'F.', 'KÖTELEZETTSÉGEK (I+II+III)', 'M', '620+630+640', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (620, 280, 'I.', 'Hátrasorolt kötelezettségek', 'K', '43', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (630, 290, 'II.', 'Hosszú lejáratú kötelezettségek', 'K', '44', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (640, 320, 'III.', 'Rövid lejáratú kötelezettségek', 'M', '650+660', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (650, 305, '', 'ebből: hitelek, kapott előlegek, szállítók, ÁFA és egyéb kötelezettségek', 'K', '451+452+453+454+455+456+457+458+459+466-4661-4667+467+468', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (660, 310, '', 'ebből: adó-, járulék- és munkavállalói elszámolások tartozása', 'E2', '361+362+363+461+462+463+464+465+4661+4667+469+47', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (670, 315, 'G.', 'PASSZÍV IDŐBELI ELHATÁROLÁSOK', 'K', '48', 0, 0);
INSERT INTO MERLEG (ID, SZSORSZAM, SORSZAM, MEGNEVEZES, KEPLETHOL, KEPLET, ELOZOEV, TARGYEV) VALUES (680, 340, '', 'FORRÁSOK (PASSZÍVÁK) ÖSSZESEN (D+E+F+G)', 'M', '521+600+610+670', 0, 0);
