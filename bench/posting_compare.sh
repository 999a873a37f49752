#!/bin/bash
# Posts the same voucher file and imports the same item file with two builds
# of tarvedo-cli, each into its own copy of one demo working directory, and
# compares what they stored: the ledger rows, the counters, the posted-file
# record, the import log and the turnover sums.
#
#   bench/posting_compare.sh OLD_CLI NEW_CLI [DEMO_DIR]
#
# DEMO_DIR (default: made with 20 000 items by NEW_CLI) is left as it is.
set -euo pipefail
old=$1 new=$2
work=$(mktemp -d /tmp/posting-compare-XXXXXX)
demo=${3:-$work/demo}
[ -e "$demo/TARVEDO.INI" ] || "$new" init-demo "$demo" --items 20000 --year 2025 > /dev/null

# Vouchers of every kind the posting treats apart: new and typed voucher
# numbers, VAT, a lower-case partner code, a currency, and enough of them
# for several batches and for the readers to split the files on both cores
# (over a million characters). The file is faultless: a file with a faulty
# voucher stores nothing, which the tests show.
{
  echo "VOUCHER;NTIPUS;KONYVBIZ;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;SZLA;ESZLA;ERTEK;AFA;AFAKULCS;ASZLA;SOR65;DEVIZANEM;ARFOLYAM"
  for v in $(seq 1 14000); do
    d=$(printf '2025.%02d.%02d' $((v % 12 + 1)) $((v % 28 + 1)))
    case $((v % 4)) in
      0) for i in 1 2 3; do echo "B$v;BK;;$d;;;;;;;$i;Bank $v/$i;384;311;$((v * 7 + i));N;;;;;"; done ;;
      1) echo "V$v;VE;;$d;$d;$d;;V00001;;S-$v;;Értékesítés $v;311;911;$((v * 127));I;;;;;"
         echo "V$v;VE;;$d;$d;$d;;V00001;;S-$v;;Értékesítés $v b;311;912;$((v * 254));I;18;;;;" ;;
      2) echo "S$v;SZ;;$d;$d;$d;;S00001;;B-$v;;Beszerzés $v;521;454;$((v * 127));I;;;;;" ;;
      3) echo "P$v;PT;;$d;;;;;;;P-$v;Pénztár $v;529;381;$((v * 13));I;;;;;" ;;
    esac
  done
  echo "X2;VE;;2025.06.02;2025.06.02;2025.06.02;2025.06.20;v00001;;K-2;;Kisbetűs partner;311;911;12700;I;;;;;"
  echo "X4;PT;EGYEDI-1;2025.06.04;;;;;;;P1;Egyedi 1;529;381;1270;I;;;;;"
  echo "X5;VE;;2025.06.05;2025.06.05;2025.06.05;2025.06.25;V00001;;D-5;;Deviza;311;931;40000;I;;;;EUR;400"
} > "$work/vouchers.csv"
{
  echo "VOUCHER;NTIPUS;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;SZLA;ESZLA;ERTEK;TART_KOV;AFAKULCS;SOR65;DEVIZANEM;DEVIZAERTEK;ARFOLYAM"
  for v in $(seq 1 7000); do
    d=$(printf '2025.%02d.%02d' $((v % 12 + 1)) $((v % 28 + 1)))
    echo "$v;VE;$d;$d;$d;;;;I-$v;I-$v;Értékesítés;311;911;$((v * 100));;27;07;;;"
    echo "$v;VE;$d;$d;$d;;;;I-$v;I-$v;;311;467;$((v * 27));A;;;;;"
    echo "$v;VE;$d;$d;;;;;;$v;Banki tétel;384;311;$((v * 3));;;;;;"
  done
} > "$work/items.csv"

run() {  # NAME CLI
  local dir=$work/$1
  cp -r "$demo" "$dir"
  sed -i -E "s#=(.*/)?([^/]+\.GDB)(\r?)\$#=$dir/\2\3#" "$dir/TARVEDO.INI"
  "$2" --workdir "$dir" post "$work/vouchers.csv" 2>&1 | grep -v '^Könyvelés:' > "$dir.post" || true
  "$2" --workdir "$dir" import "$work/items.csv" > "$dir.import" 2>&1 || true
  local q=(
    "select * from TETEL order by SORSZAM, TART_KOV, SZLA"
    "select * from SORSZAM order by FAJTA, EV"
    "select * from KONYVELT_FAJL order by VOUCHER"
    "select FORMATUM, SOROK, TETELEK, BIZONYLATOK, HIBAK, EREDMENY, ELSOSORSZAM, UTOLSOSORSZAM, UZENET from BEOLOG"
    "select SZLA, ESZLA, TELJKELT, NTIPUS, sum(ERTEK) from FORGALOM group by 1,2,3,4 having abs(sum(ERTEK)) > 0.001 order by 1,2,3,4")
  for i in "${!q[@]}"; do "$2" --workdir "$dir" query "${q[$i]}" --out "$dir.q$i.txt" > /dev/null; done
}
run old "$old"
run new "$new"
same=yes
for f in post import q0.txt q1.txt q2.txt q3.txt q4.txt; do
  if cmp -s "$work/old.$f" "$work/new.$f"; then echo "same:    $f"; else echo "DIFFERS: $f"; same=no; fi
done
echo "ledger rows: $(wc -l < "$work/new.q0.txt") (files and results in $work)"
[ $same = yes ]
