#include "ledger/demo_assets.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/sequence.h"
#include "ledger/asset_rate.h"

namespace {

// One kind of asset: its account, names to choose from, yearly rate,
// value range (thousand forints), classification and makers.
struct AssetKind {
    const char* szla;
    QStringList names;
    double kulcs1;
    int valueLow, valueHigh;
    const char* vtsz;
    QStringList makers;
    int count;
};

const QList<AssetKind>& kinds() {
    static const QList<AssetKind> list{
        {"131", {"CNC esztergagép", "Oszlopos fúrógép", "Hegesztő inverter", "Kompresszor 500 l", "Szalagfűrész",
                 "Hidraulikus prés", "Élhajlító gép"},
         14.5, 900, 9000, "8458", {"Kovosvit", "Metallkraft", "Lincoln Electric", "Atlas Copco", "Bomar"}, 9},
        {"132", {"Villás targonca", "Emelőkosaras gépjármű"}, 20, 4000, 12000, "8427", {"Linde", "Toyota", "Still"}, 3},
        {"142", {"Ford Transit kisteherautó", "Škoda Octavia személyautó", "Renault Master furgon", "Utánfutó 750 kg"},
         20, 3000, 14000, "8704", {"Ford", "Škoda", "Renault", "Agados"}, 5},
        {"143", {"Asztali számítógép", "Hordozható számítógép", "Nyomtató", "Szerver", "Hálózati tároló",
                 "Projektor"},
         33, 180, 1600, "8471", {"Dell", "Lenovo", "HP", "Synology", "Epson"}, 10},
        {"141", {"Raktári polcrendszer", "Irodabútor garnitúra", "Klímaberendezés", "Tárgyalóasztal székekkel"}, 14.5,
         300, 2500, "9403", {"Polc-Rendszer Kft.", "Irodabútor Zrt.", "Daikin"}, 5},
        {"114", {"Vállalatirányítási szoftver", "Tervezőprogram licenc", "Könyvelőprogram licenc"}, 33, 400, 3500, "",
         {"SAP", "Autodesk", "Tarvedo"}, 3},
        {"122", {"Telephelyi csarnok bővítése"}, 2, 25000, 60000, "", {}, 1},
    };
    return list;
}

class SeededRandom {
public:
    explicit SeededRandom(quint64 seed) : m_state(seed * 0x9E3779B97F4A7C15ULL + 0xA5A5A5A5ULL) {}
    qint64 range(qint64 low, qint64 high) {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        z ^= z >> 31;
        return low + qint64(z % quint64(high - low + 1));
    }
    const QString& pick(const QStringList& list) { return list.at(range(0, list.size() - 1)); }

private:
    quint64 m_state;
};

// A registration number of three letters and three digits.
QString plate(SeededRandom& random) {
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPRSTUVXYZ");
    QString text;
    for (int i = 0; i < 3; ++i) text += letters.at(random.range(0, letters.size() - 1));
    return text + u'-' + QString::number(random.range(100, 999));
}

}  // namespace

int WriteDemoAssets(const QString& connection, int year, quint64 seed) {
    SeededRandom random(seed);
    int total = 0;
    for (const AssetKind& kind : kinds()) total += kind.count;

    QStringList suppliers, supplierNames;
    {
        QSqlQuery q = ExecSql(connection, QStringLiteral("select KOD, NEV from UGYFEL where SZALLITO = 'I' order by KOD"));
        while (NextRow(q)) {
            suppliers << q.value(0).toString();
            supplierNames << q.value(1).toString();
        }
    }
    const QString yearText = QString::number(year);
    const qlonglong first = ReserveSequenceBlock(connection, QStringLiteral("ESZKOZ"), yearText, total);

    DbTransaction transaction(connection);
    QSqlQuery asset(Connection(connection));
    asset.prepare(QStringLiteral(
        "insert into ESZKOZ (BELSOKOD, KOD, SZLA, MEGNEVEZES, SZALLKOD, SZALLNEV, VTSZ, BERUHAZVA, UZEMBEHELY, "
        "NETTOERT, ECSMOD, KULCS1, MARADVANY, ADOEV, ECSVEGE, HASZNEV, GYARTONEV, GYARISZAM, LEIRAS, RENDSZAM, "
        "KIVEZETVE, KIVEZETOK, AKTIV, RAKTAR, TETELSORSZAM) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'BLA', ?, ?, ?, ?, "
        "?, ?, ?, '', ?, ?, ?, ?, 'KOZP', '')"));
    QSqlQuery movement(Connection(connection));
    movement.prepare(QStringLiteral(
        "insert into ESZKOZKARTON (ESZKOZKOD, SORSZAM, KELT, BIZONYLAT, SZOVEG, SZLA, MENNYISEG, BRUTTONOV, "
        "BRUTTOCSOK, BRUTTO, ECSNOV, ECSCSOK, NETTOERT) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, 0, ?)"));
    const auto exec = [](QSqlQuery& q) {
        if (!q.exec()) throw DbError(q.lastError(), q.lastQuery());
    };

    int n = 0;
    for (const AssetKind& kind : kinds()) {
        for (int i = 0; i < kind.count; ++i, ++n) {
            const QString belsokod = yearText + u'/' + SequenceNumberText(yearText, first + n);
            const QString kod = QStringLiteral("TE-%1").arg(n + 1, 3, 10, QLatin1Char('0'));
            // Bought in the last six years, the newest in the first half of this one.
            const QDate commissioned = QDate(year, 1, 1).addDays(-random.range(0, 6 * 365) + 180);
            const QDate bought = commissioned.addDays(-random.range(0, 20));
            const double value = double(random.range(kind.valueLow, kind.valueHigh)) * 1000;
            const QString uzembehely = DateToText(commissioned);
            const RateResult terms = RateRule(kind.kulcs1, uzembehely, value);
            const int supplier = suppliers.isEmpty() ? -1 : int(random.range(0, suppliers.size() - 1));
            // About one in ten has been sold or scrapped during the year.
            const bool withdrawn = commissioned.year() < year && random.range(1, 10) == 1;
            const QString kivezetve = withdrawn ? DateToText(QDate(year, int(random.range(1, 11)), int(random.range(1, 28))))
                                                : QString();
            const QString bizonylat = QStringLiteral("SZ-%1/%2").arg(commissioned.year()).arg(random.range(100, 999));

            asset.addBindValue(belsokod);
            asset.addBindValue(kod);
            asset.addBindValue(QString::fromLatin1(kind.szla));
            asset.addBindValue(random.pick(kind.names));
            asset.addBindValue(supplier < 0 ? QString() : suppliers.at(supplier));
            asset.addBindValue(supplier < 0 ? QStringLiteral("Ismeretlen szállító") : supplierNames.at(supplier));
            asset.addBindValue(QString::fromLatin1(kind.vtsz));
            asset.addBindValue(DateToText(bought));
            asset.addBindValue(uzembehely);
            asset.addBindValue(value);
            asset.addBindValue(kind.kulcs1);
            // A rate whose years overshoot the value (14.5 % for seven years)
            // leaves no residual value rather than a negative one.
            asset.addBindValue(double(qMax<qint64>(terms.maradvany, 0)));
            asset.addBindValue(terms.adoev);
            asset.addBindValue(terms.ecsvege);
            asset.addBindValue(terms.adoev);
            asset.addBindValue(kind.makers.isEmpty() ? QString() : random.pick(kind.makers));
            asset.addBindValue(kind.makers.isEmpty() ? QString() : QStringLiteral("SN%1").arg(random.range(100000, 999999)));
            asset.addBindValue(kind.szla == QLatin1String("142") ? plate(random) : QString());
            asset.addBindValue(kivezetve);
            asset.addBindValue(withdrawn ? (random.range(0, 1) ? QStringLiteral("Eladás") : QStringLiteral("Selejtezés"))
                                         : QString());
            asset.addBindValue(withdrawn ? QStringLiteral("N") : QStringLiteral("I"));
            exec(asset);

            const QVariantList commissioning{belsokod, 1, uzembehely, bizonylat, QStringLiteral("Üzembe helyezés"),
                                             QString::fromLatin1(kind.szla), 1.0, value, 0.0, value, value};
            for (const QVariant& v : commissioning) movement.addBindValue(v);
            exec(movement);
            if (withdrawn) {
                const QVariantList withdrawal{belsokod, 2, kivezetve, QString(), QStringLiteral("Értékesítés / Megsemmisítés"),
                                              QString(), 1.0, 0.0, value, 0.0, 0.0};
                for (const QVariant& v : withdrawal) movement.addBindValue(v);
                exec(movement);
            }
        }
    }
    transaction.commit();
    return total;
}
