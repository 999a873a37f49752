/*
System database: the installation record of a new installation. The
installer replaces the code and name; the update server's address and
account are filled in by the installation.
*/

INSERT INTO SZISZTEM (KOD, NEV, FTPHOST, FTPUSERID, FTPPWDID) VALUES ('TELEPITES', 'Új telepítés', '', '', '');
