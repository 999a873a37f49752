#include "cegvalaszt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_address.h"
#include "db/db_error.h"
#include "db/ui_hooks.h"
#include "masterdata/record_storage.h"

namespace {

int lastSeparator(const QString& address) {
    return std::max(LastPos(QStringLiteral("\\"), address), LastPos(QStringLiteral("/"), address));
}

const QString kCreateQuestion = QStringLiteral("A megadott adatbázis nem létezik! Létrehozzuk?");

}  // namespace

QString DbFolder(const QString& address) { return address.left(lastSeparator(address)); }

QString SuggestedDbAddress(const QString& dbServer, const QString& kod, const QString& ev) {
    return DbFolder(dbServer) + QStringLiteral("TARVEDO_") + kod + QLatin1Char('_') + ev + QStringLiteral(".GDB");
}

bool IsLocalDbAddress(const QString& address) {
    return !address.startsWith(QLatin1String("\\\\")) && !ParseDbAddress(address).isRemote();
}

bool DbFileExists(const QString& address) { return QFileInfo::exists(NativeDbPath(address)); }

std::optional<NewCompanyUser> LoggedInUserRow() {
    const QString kod = Td().CurrentUserKod;
    if (kod.isEmpty() || ServicesConnection().isEmpty()) return std::nullopt;
    QSqlQuery row = ExecSql(ServicesConnection(),
                            QStringLiteral("select KOD, NEV, TELJESNEV, JELSZO, JOGOK from SZ_JUZER where KOD = :kod"),
                            {{QStringLiteral("kod"), kod}});
    if (!NextRow(row)) return std::nullopt;
    return NewCompanyUser{row.value(0).toString(), row.value(1).toString(), row.value(2).toString(),
                          row.value(3).toString(), row.value(4).toString()};
}

bool SetUpNewCompany(const QString& address, const NewCompany& company) {
    const QString connection = QStringLiteral("d_ujceg");
    bool done = false;
    try {
        if (!OpenDatabase(connection, address)) {
            ShowMessage(QStringLiteral("Az új adatbázis (") + address + QStringLiteral(") nem nyitható meg!"));
            return false;
        }
        DbTransaction transaction(connection);
        const QVariantMap record{{QStringLiteral("kod"), company.kod},
                                 {QStringLiteral("nev"), company.nev},
                                 {QStringLiteral("ev"), company.ev}};
        // The template holds one company record: it becomes this company's.
        const int changed =
            ExecSql(connection, QStringLiteral("update CEG set KOD = :kod, NEV = :nev, AKTUALISEV = :ev, NYITVA = 'I'"),
                    record)
                .numRowsAffected();
        if (changed == 0)
            ExecSql(connection,
                    QStringLiteral("insert into CEG (KOD, NEV, AKTUALISEV, NYITVA) values (:kod, :nev, :ev, 'I')"),
                    record);
        if (company.creator) {
            const NewCompanyUser& user = *company.creator;
            ExecSql(connection,
                    QStringLiteral("update or insert into SZ_JUZER (KOD, NEV, TELJESNEV, JELSZO, AKTIV, JOGOK) "
                                   "values (:kod, :nev, :teljesnev, :jelszo, 'I', :jogok) matching (KOD)"),
                    {{QStringLiteral("kod"), user.kod},
                     {QStringLiteral("nev"), user.nev},
                     {QStringLiteral("teljesnev"), user.teljesnev},
                     {QStringLiteral("jelszo"), user.passwordHash},
                     {QStringLiteral("jogok"), user.jogok}});
        }
        transaction.commit();
        done = true;
    } catch (const DbError& error) {
        ShowMessage(QStringLiteral("Az új cég adatai nem írhatók be: ") + error.message());
    }
    DbDisconnect(connection);
    return done;
}

bool CreateCompanyDatabase(const QString& dbServer, const QString& target, const NewCompany& company) {
    const QString templatePath = DbFolder(dbServer) + TemplateDbName;
    bool copied = false;
    if (!DbFileExists(templatePath)) {
        ShowMessage(QStringLiteral("A minta adatbázis (") + templatePath + QStringLiteral(") nem található!"));
    } else {
        const int separator = lastSeparator(target);
        const QString folder = separator > 0 ? target.left(separator - 1) : QString();
        if (!folder.isEmpty() && !QDir().mkpath(NativeDbPath(folder))) {
            ShowMessage(QStringLiteral("A megadott mappa (") + folder + QStringLiteral(") nem hozható létre!"));
        } else if (!QFile::copy(NativeDbPath(templatePath), NativeDbPath(target))) {
            ShowMessage(QStringLiteral("Az új adatbázis (") + target + QStringLiteral(") nem hozható létre!"));
        } else {
            copied = true;
            // The copy is written by whoever opens it: the template may be read-only.
            QFile::setPermissions(NativeDbPath(target), QFile::permissions(NativeDbPath(target)) | QFileDevice::WriteOwner);
        }
    }
    if (DbFileExists(target)) {
        // A copy that cannot be set up would let nobody log in: it goes again.
        if (copied && !SetUpNewCompany(target, company)) {
            QFile::remove(NativeDbPath(target));
            ShowMessage(QStringLiteral("A megadott új adatbázist nem sikerült létrehozni!"));
            return false;
        }
        ShowMessage(QStringLiteral("Ne felejtse el kitölteni a cég alap adatait és aktualizálni a számlatükröt."));
        return copied;
    }
    ShowMessage(QStringLiteral("A megadott új adatbázist nem sikerült létrehozni!"));
    return false;
}

CompanyRegistry::CompanyRegistry()
    : q_sz_cegek(d_tarvedosys), qi_sz_cegek(d_tarvedosys), qu_sz_cegek(d_tarvedosys), qd_sz_cegek(d_tarvedosys) {}

void CompanyRegistry::show() {
    walasztott = false;
    if (wstate == QLatin1String("created")) {
        q_sz_cegek.setSql({QStringLiteral("Select * From"), QStringLiteral("CEGEK"), QStringLiteral("Where 1=2"),
                           QStringLiteral(" ")});
        columns = q_sz_cegek.open().record();
        SqlKeszit(QStringLiteral("CEGEK"), &qi_sz_cegek, &qu_sz_cegek, &qd_sz_cegek, QStringLiteral("KOD,AKTUALISEV"));
        isOpen = false;
        wstate = QStringLiteral("browse");
    }
    if (!isOpen) reopen();
    current = rows.isEmpty() ? -1 : 0;
    wstate = QStringLiteral("browse");
}

void CompanyRegistry::reopen(const QString& kod) {
    q_sz_cegek.setSql({QStringLiteral("Select * From"), QStringLiteral("cegek"),
                       onlyOpen ? QStringLiteral("Where NYITVA='I'") : QString(),
                       QStringLiteral("ORDER BY KOD,AKTUALISEV")});
    rows.clear();
    QSqlQuery list = q_sz_cegek.open();
    while (NextRow(list)) rows.append(list.record());
    isOpen = true;
    current = rows.isEmpty() ? -1 : 0;
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].value(QStringLiteral("KOD")).toString() == kod) {
            current = i;
            break;
        }
    }
}

void CompanyRegistry::setOnlyOpen(bool only) {
    const QString kod = rowText(QStringLiteral("KOD"));
    onlyOpen = only;
    reopen(kod);
}

CompanyChoice CompanyRegistry::choice() const {
    return {rowText(QStringLiteral("KOD")), rowText(QStringLiteral("NEV")), rowText(QStringLiteral("AKTUALISEV")),
            rowText(QStringLiteral("DBSERVER"))};
}

bool CompanyRegistry::store(const PanelValues& fields, QString& focus) {
    const QString dbserver = fields.text(QStringLiteral("e_dbserver"));
    const QString nyitva = fields.text(QStringLiteral("e_nyitva"));
    focus.clear();
    if (dbserver.isEmpty()) {
        ShowMessage(QStringLiteral("Nem adott meg adatbázis nevet. "));
        focus = QStringLiteral("e_dbserver");
        return false;
    }
    if (nyitva.isEmpty() || !QStringLiteral("IN").contains(nyitva)) {
        ShowMessage(QStringLiteral("A \"Nyitva\" I vagy N lehet."));
        focus = QStringLiteral("e_nyitva");
        return false;
    }
    SqlStatement& statement = wstate == QLatin1String("insert") ? qi_sz_cegek : qu_sz_cegek;
    const QString missing = UresKotelezok(statement, fields);
    if (!missing.isEmpty()) {
        ShowMessage(QStringLiteral("Kitöltendő mezőt üresen hagyott : ") + missing);
        focus = QStringLiteral("e_") + missing.section(QLatin1Char(';'), 0, 0).toLower();
        return false;
    }
    if (IsLocalDbAddress(dbserver) && !DbFileExists(dbserver)) {
        focus = QStringLiteral("e_dbserver");
        if (wstate == QLatin1String("update")) {
            ShowMessage(QStringLiteral("A megadott adatbázis nem létezik!"));
            return false;
        }
        if (AskDialog(kCreateQuestion, 0) != 0) return false;
        if (!createDatabase(dbserver, fields.text(QStringLiteral("e_kod")), fields.text(QStringLiteral("e_nev")),
                            fields.text(QStringLiteral("e_aktualisev"))))
            return false;
    }
    const QString kod = wstate == QLatin1String("insert") ? fields.text(QStringLiteral("e_kod")) : rowText(QStringLiteral("KOD"));
    if (!RekordTarol(row(), statement, fields, 2, wstate)) return false;
    reopen(kod);
    wstate = QStringLiteral("browse");
    return true;
}

bool CompanyRegistry::choose(const QString& dbserverField) {
    if (wstate != QLatin1String("browse")) {
        ShowMessage(QStringLiteral("Adatbeviteli módban van. Tárolja le, vagy dobja el!"));
        return false;
    }
    if (!hasRow()) return false;  // an empty list offers nothing to choose
    walasztott = true;
    const QString address = rowText(QStringLiteral("DBSERVER"));
    if (IsLocalDbAddress(dbserverField) && !DbFileExists(address)) {
        if (AskDialog(kCreateQuestion, 0) != 0) return false;
        if (!createDatabase(dbserverField, rowText(QStringLiteral("KOD")), rowText(QStringLiteral("NEV")),
                            rowText(QStringLiteral("AKTUALISEV"))))
            return false;
    }
    return true;
}

bool CompanyRegistry::createDatabase(const QString& target, const QString& kod, const QString& nev, const QString& ev) {
    NewCompany company{kod.trimmed().toUpper(), nev.trimmed(), ev.trimmed(), LoggedInUserRow()};
    if (!company.creator && askFirstUser) company.creator = askFirstUser();
    if (!company.creator) {
        ShowMessage(QStringLiteral("Az új cégnek legalább egy felhasználó kell: a létrehozás elmaradt."));
        return false;
    }
    return CreateCompanyDatabase(Td().DbServer, target, company);
}
