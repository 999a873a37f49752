#include "bench_vouchers.h"

#include <QFile>
#include <QSqlQuery>
#include <QStringList>
#include <QTextStream>

#include "db/dat.h"

namespace {

QStringList partners(const QString& prefix) {
    QStringList codes;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select KOD from UGYFEL where KOD starting with :P"), {{QStringLiteral("P"), prefix}});
    while (NextRow(q)) codes << q.value(0).toString();
    if (codes.isEmpty()) codes << QString();
    return codes;
}

}  // namespace

QString BenchDay(BenchRandom& random) {
    return QStringLiteral("2025.%1.%2").arg(random.range(1, 12), 2, 10, QLatin1Char('0')).arg(random.range(1, 28), 2, 10, QLatin1Char('0'));
}

void WriteBenchVoucherFile(const QString& path, int items, quint64 seed) {
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QTextStream out(&file);
    out << "VOUCHER;NTIPUS;KONYVBIZ;KONYVELVE;TELJKELT;SZLAKELT;FIZHATIDO;UGYFELKOD;KTSGHELY;SZAMLASZAM;BIZONYLAT;SZOVEG;"
           "SZLA;ESZLA;ERTEK;AFA;AFAKULCS;ASZLA;SOR65;DEVIZANEM;ARFOLYAM\n";
    BenchRandom random(seed);
    const QStringList customers = partners(QStringLiteral("V"));
    const QStringList suppliers = partners(QStringLiteral("S"));
    int written = 0;
    for (int voucher = 1; written < items; ++voucher) {
        const int kind = random.range(1, 100);
        const QString date = BenchDay(random);
        if (kind <= 40) {
            const QString partner = customers[random.range(0, int(customers.size()) - 1)];
            const int lines = random.range(1, 3);
            for (int i = 0; i < lines && written < items; ++i, ++written)
                out << voucher << ";VE;;" << date << ';' << date << ';' << date << ";;" << partner << ";;B-" << voucher << ";;"
                    << "Értékesítés;311;" << (i == 0 ? "911" : "912") << ';' << random.range(1, 2000) * 127 << ";I;;;;;\n";
        } else if (kind <= 70) {
            const QString partner = suppliers[random.range(0, int(suppliers.size()) - 1)];
            const int lines = random.range(1, 2);
            for (int i = 0; i < lines && written < items; ++i, ++written)
                out << voucher << ";SZ;;" << date << ';' << date << ';' << date << ";;" << partner << ";;S-" << voucher << ";;"
                    << "Beszerzés;" << (i == 0 ? "521" : "529") << ";454;" << random.range(1, 2000) * 127 << ";I;;;;;\n";
        } else if (kind <= 90) {
            const int lines = random.range(10, 40);
            for (int i = 0; i < lines && written < items; ++i, ++written) {
                const bool income = random.range(0, 1) == 1;
                out << voucher << ";BK;;" << date << ";;;;;;;" << i + 1 << ';' << (income ? "Vevő befizetése;384;311;" : "Szállító kifizetése;454;384;")
                    << random.range(100, 900000) << ";N;;;;;\n";
            }
        } else {
            const int lines = random.range(3, 12);
            for (int i = 0; i < lines && written < items; ++i, ++written)
                out << voucher << ";PT;;" << date << ";;;;;;;P-" << voucher << ";Készpénzes vásárlás;529;381;"
                    << random.range(1, 400) * 127 << ";I;;;;;\n";
        }
    }
}
