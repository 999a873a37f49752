#pragma once
// A small table without control rows for the list builder and the lists.
#include "support/test_db.h"

inline void CreateListTable() {
    Exec("CREATE TABLE LISTAPROBA (KOD VARCHAR(10) NOT NULL PRIMARY KEY, NEV VARCHAR(40), DB INTEGER, "
         "OSSZEG DOUBLE PRECISION, MEGJ BLOB SUB_TYPE TEXT)");
    Exec("INSERT INTO LISTAPROBA VALUES ('A1', 'Alma', 1, 10.5, 'első')");
    Exec("INSERT INTO LISTAPROBA VALUES ('B2', 'O''Brien', 2, 200, NULL)");
    Exec("INSERT INTO LISTAPROBA VALUES ('C3', 'Körte', 3, -3, NULL)");
    Exec("INSERT INTO LISTAPROBA VALUES ('D4', NULL, 4, NULL, NULL)");
}
