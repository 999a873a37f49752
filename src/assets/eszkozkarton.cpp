#include "assets/eszkozkarton.h"

#include <QSqlQuery>

#include "assets/eszkoz.h"
#include "db/altproc.h"
#include "db/dat.h"
#include "db/ui_hooks.h"
#include "masterdata/record_storage.h"

namespace {
const QString Browse = QStringLiteral("browse");
const QString Insert = QStringLiteral("insert");
const QString Update = QStringLiteral("update");
}  // namespace

const QList<GridColumn>& EszkozKartonColumns() {
    static const QList<GridColumn> columns{
        {QStringLiteral("SORSZAM"), QStringLiteral("No.")},        {QStringLiteral("KELT"), QStringLiteral("Kelt")},
        {QStringLiteral("BIZONYLAT"), QStringLiteral("Bizonylat")}, {QStringLiteral("SZOVEG"), QStringLiteral("Szöveg")},
        {QStringLiteral("MENNYISEG"), QStringLiteral("Db.")},      {QStringLiteral("BRUTTONOV"), QStringLiteral("Br. növ.")},
        {QStringLiteral("BRUTTOCSOK"), QStringLiteral("Br.csökk.")}, {QStringLiteral("BRUTTO"), QStringLiteral("Brutto")},
        {QStringLiteral("ECSNOV"), QStringLiteral("É.cs.növ")},    {QStringLiteral("ECSCSOK"), QStringLiteral("É.cs.csökk.")},
        {QStringLiteral("NETTOERT"), QStringLiteral("Nettó")},     {QStringLiteral("SZLA"), QStringLiteral("SZLA")},
    };
    return columns;
}

EszkozKartonForm::EszkozKartonForm() {
    for (const char* name : {"e_eszkozkod", "e_sorszam", "e_kelt", "e_bizonylat", "e_szoveg", "e_szla", "e_mennyiseg",
                             "e_bruttonov", "e_bruttocsok", "e_brutto", "e_ecsnov", "e_ecscsok", "e_nettoert"})
        p.add(QString::fromLatin1(name), PanelKind::Edit);
    for (const char* name : {"e_eszkozkod", "e_sorszam", "e_brutto", "e_nettoert"})
        p.find(QString::fromLatin1(name))->enabled = false;
    p.find(QStringLiteral("e_mennyiseg"))->visible = false;
    p.add(QStringLiteral("l_szlanev"), PanelKind::StaticText).hint = QStringLiteral("SZ_TUKOR.SZOVEG,SZLA=SZLA");
}

const QSqlRecord& EszkozKartonForm::currentRow() const {
    static const QSqlRecord none;
    return current >= 0 && current < rows.size() ? rows.at(current) : none;
}

void EszkozKartonForm::FormShow() {
    if (wshape.isEmpty()) {
        wshape = ExecSql(d_tarvedo, QStringLiteral("Select * From\nESZKOZKARTON\nWhere 1=2")).record();
        SqlKeszit(QStringLiteral("ESZKOZKARTON"), &wins, &wupd, &wdel, QStringLiteral("ESZKOZKOD,SORSZAM"));
    }
    QSqlQuery asset = ExecSql(d_tarvedo, QStringLiteral("select KOD, MEGNEVEZES from ESZKOZ where BELSOKOD = :b"),
                              {{QStringLiteral("b"), weszkozkod}});
    kod = megnevezes = QString();
    if (NextRow(asset)) {
        kod = asset.value(0).toString();
        megnevezes = asset.value(1).toString();
    }
    OpenKarton();
    p_fejEnabled = false;
    if (wnew) {
        b_ujClick();
        const auto item = [this](const char* column) {
            const QString c = QString::fromLatin1(column);
            return wtetel.contains(c) ? FieldValueText(wtetel.value(c)) : QString();
        };
        p.setText(QStringLiteral("e_szla"), item("SZLA"));
        p.setText(QStringLiteral("e_kelt"), item("TELJKELT"));
        p.setText(QStringLiteral("e_bizonylat"), item("SZAMLASZAM"));
        p.setText(QStringLiteral("e_bruttonov"), item("ERTEK"));
        e_bruttonovExit();
        e_szlaExit();
    } else {
        wstate = Browse;
    }
    p_babralEnabled = Td().ceg.text(QStringLiteral("NYITVA")).trimmed().toUpper() == QLatin1String("I");
}

void EszkozKartonForm::OpenKarton() {
    rows.clear();
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("Select *\nFrom ESZKOZKARTON\nWhere ESZKOZKOD = :eszkozkod\nOrder By SORSZAM"),
                          {{QStringLiteral("eszkozkod"), weszkozkod}});
    while (NextRow(q)) rows << q.record();
    Scroll(rows.isEmpty() ? -1 : 0);
}

void EszkozKartonForm::Scroll(int row) {
    current = row >= 0 && row < rows.size() ? row : -1;
    if (current < 0) {
        MezokTorol(p);
        return;
    }
    RekordMutat(rows.at(current), p, QStringLiteral("e_"));
    PanelControl* label = p.find(QStringLiteral("l_szlanev"));
    if (const auto text = InfoLabel(label->hint, rows.at(current))) label->text = *text;
}

// The gross value the changed movement starts from: the last movement's for
// a new one, the one before it for a movement being changed.
double EszkozKartonForm::baseBrutto() const {
    if (wstate == Update) return current > 0 ? rows.at(current - 1).value(QStringLiteral("BRUTTO")).toDouble() : 0.0;
    return currentRow().isEmpty() ? 0.0 : currentRow().value(QStringLiteral("BRUTTO")).toDouble();
}

void EszkozKartonForm::e_bruttonovExit() {
    p.setText(QStringLiteral("e_brutto"),
              QString::number(baseBrutto() + FloatFromText(p.text(QStringLiteral("e_bruttonov")), 0), 'f', 0));
}

void EszkozKartonForm::e_bruttocsokExit() {
    p.setText(QStringLiteral("e_brutto"),
              QString::number(baseBrutto() - FloatFromText(p.text(QStringLiteral("e_bruttocsok")), 0), 'f', 0));
}

bool EszkozKartonForm::e_szlaExit() {
    const QString szla = p.text(QStringLiteral("e_szla"));
    if (szla.trimmed().isEmpty()) return false;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select SZOVEG from SZ_TUKOR where SZLA = cast(:szla as varchar(1000))"),
                          {{QStringLiteral("szla"), szla}});
    if (!NextRow(q)) return false;
    p.setText(QStringLiteral("l_szlanev"), q.value(0).toString());
    return true;
}

void EszkozKartonForm::b_ujClick() {
    wstate = Insert;
    const int last = rows.isEmpty() ? 0 : rows.last().value(QStringLiteral("SORSZAM")).toInt();
    current = rows.isEmpty() ? -1 : int(rows.size()) - 1;
    MezokTorol(p);
    p.setText(QStringLiteral("e_eszkozkod"), weszkozkod);
    p.setText(QStringLiteral("e_sorszam"), QString::number(last + 1));
    p_fejEnabled = true;
}

void EszkozKartonForm::b_modositClick() {
    if (current < 0) return;
    wstate = Update;
    p_fejEnabled = true;
}

bool EszkozKartonForm::b_okClick() {
    focus.clear();
    const double grossUp = FloatFromText(p.text(QStringLiteral("e_bruttonov")), 0);
    const double grossDown = FloatFromText(p.text(QStringLiteral("e_bruttocsok")), 0);
    const double deprUp = FloatFromText(p.text(QStringLiteral("e_ecsnov")), 0);
    const double deprDown = FloatFromText(p.text(QStringLiteral("e_ecscsok")), 0);
    if (grossUp < 0) { focus = QStringLiteral("e_bruttonov"); return false; }
    if (grossDown < 0) { focus = QStringLiteral("e_bruttocsok"); return false; }
    if (grossUp > 0 && grossDown > 0) {
        ShowMessage(QStringLiteral("Nem lehet egyszerre bruttó növekedés és csökkenés is."));
        return false;
    }
    if (deprUp < 0) { focus = QStringLiteral("e_ecsnov"); return false; }
    if (deprDown < 0) { focus = QStringLiteral("e_ecscsok"); return false; }
    if (deprUp > 0 && deprDown > 0) {
        ShowMessage(QStringLiteral("Nem lehet egyszerre é.cs. növekedés és csökkenés is."));
        return false;
    }
    if (wstate == Insert || wstate == Update) {
        if (grossDown > 0) e_bruttocsokExit();
        else e_bruttonovExit();
    }
    bool stored = false;
    if (wstate == Insert) {
        UjParamok(wshape, wins);
        stored = RekordTarol(wshape, wins, p, 1, wstate);
    } else if (wstate == Update) {
        stored = RekordTarol(currentRow(), wupd, p, 1, wstate);
    }
    const QString sorszam = p.text(QStringLiteral("e_sorszam"));
    wstate = Browse;
    p_fejEnabled = false;
    OpenKarton();
    for (int i = 0; i < rows.size(); ++i)
        if (rows.at(i).value(QStringLiteral("SORSZAM")).toString() == sorszam) Scroll(i);
    return stored;
}

void EszkozKartonForm::b_megsemClick() {
    wstate = Browse;
    Scroll(current);
    p_fejEnabled = false;
}

bool EszkozKartonForm::b_torlesClick() {
    if (wstate != Browse || current < 0) return false;
    if (AskDialog(QStringLiteral("Biztosan törölni akarja?"), 0, {QStringLiteral(" Igen "), QStringLiteral(" Nem ")}) != 0)
        return false;
    wdel.setValue(QStringLiteral("ESZKOZKOD"), currentRow().value(QStringLiteral("ESZKOZKOD")));
    wdel.setValue(QStringLiteral("SORSZAM"), currentRow().value(QStringLiteral("SORSZAM")));
    wdel.exec();
    OpenKarton();
    return true;
}
