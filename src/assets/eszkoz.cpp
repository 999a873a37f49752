#include "assets/eszkoz.h"

#include <QSqlField>
#include <QSqlQuery>
#include <cmath>

#include "db/altproc.h"
#include "db/dat.h"
#include "db/db_error.h"
#include "db/sequence.h"
#include "db/ui_hooks.h"
#include "export/export_source.h"
#include "masterdata/lookup.h"
#include "masterdata/record_storage.h"

namespace {

const QString Browse = QStringLiteral("browse");
const QString Insert = QStringLiteral("insert");
const QString Update = QStringLiteral("update");
const QStringList YesNo{QStringLiteral(" Igen "), QStringLiteral(" Nem ")};

bool flagOn(const QString& column) { return Td().ceg.text(column).trimmed().toUpper() == QLatin1String("I"); }

QStringList listLines(const QString& where, const QString& orderBy = QStringLiteral("Order by KOD")) {
    QStringList sql{QStringLiteral("Select * From"), QStringLiteral("ESZKOZ")};
    if (!where.isEmpty()) sql << where;
    sql << orderBy;
    return sql;
}

QString infoHint(const QString& label) {
    if (label == QLatin1String("l_szlanev")) return QStringLiteral("SZ_TUKOR.SZOVEG,SZLA=SZLA");
    if (label == QLatin1String("l_ecsmod")) return QStringLiteral("SZ_ECSMOD.NEV,KOD=ECSMOD");
    return QStringLiteral("SZ_RAKTAR.NEV,KOD=RAKTAR");
}

// The first value of `column` in the row of `table` whose KOD-like key
// equals `value`; nothing for an empty value or no such row.
std::optional<QSqlRecord> findRow(const QString& table, const QString& key, const QString& value) {
    if (value.trimmed().isEmpty()) return std::nullopt;
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select * from ") + table + QStringLiteral(" where ") + key +
                                         QStringLiteral(" = cast(:v as varchar(1000))"),
                          {{QStringLiteral("v"), value}});
    if (!NextRow(q)) return std::nullopt;
    return q.record();
}

}  // namespace

const QList<EszkozField>& EszkozFields() {
    static const QList<EszkozField> fields{
        {QStringLiteral("KOD"), QStringLiteral(" Nyilvántartási szám: "), false, false, QStringLiteral("LOWER"), 20, {}, {}},
        {QStringLiteral("BELSOKOD"), QString(), false, true, QString(), 12, {}, {}},
        {QStringLiteral("SZLA"), QStringLiteral(" Számlaszám: "), false, false, QStringLiteral("LOWER"), 10,
         QStringLiteral("b_szla"), QStringLiteral("l_szlanev")},
        {QStringLiteral("MEGNEVEZES"), QStringLiteral(" Megnevezés: "), false, false, QStringLiteral("LOWER"), 80, {}, {}},
        {QStringLiteral("SZALLKOD"), QString(), false, false, QStringLiteral("LOWER"), 7,
         QStringLiteral("b_ugyfel"), {}},
        {QStringLiteral("SZALLNEV"), QStringLiteral(" Szállító neve: "), false, false, QStringLiteral("LOWER"), 60, {}, {}},
        {QStringLiteral("VTSZ"), QStringLiteral(" VTSZ: "), false, false, QStringLiteral("LOWER"), 20, {}, {}},
        {QStringLiteral("BERUHAZVA"), QStringLiteral(" Beruházás kelte: "), true, false, QStringLiteral(">="), 10, {}, {}},
        {QStringLiteral("UZEMBEHELY"), QStringLiteral(" Üzembehelyezés kelte: "), true, false, QStringLiteral(">="), 10, {}, {}},
        {QStringLiteral("NETTOERT"), QStringLiteral(" Nettó érték"), false, false, QString(), 0, {}, {}},
        {QStringLiteral("ECSMOD"), QStringLiteral(" Értékcsökkenési leírási mód: "), false, true, QStringLiteral("LOWER"), 5,
         QStringLiteral("b_ecsmod"), QStringLiteral("l_ecsmod")},
        {QStringLiteral("KULCS1"), QStringLiteral(" Leírási kulcs %"), false, false, QString(), 0, {}, {}},
        {QStringLiteral("MARADVANY"), QStringLiteral(" Maradvány érték"), false, false, QString(), 0, {}, {}},
        {QStringLiteral("ADOEV"), QStringLiteral(" Adótv. sz. é.cs. időtartama (év).: "), false, false, QStringLiteral("="), 4, {}, {}},
        {QStringLiteral("ECSVEGE"), QString(), true, true, QString(), 10, {}, {}},
        {QStringLiteral("HASZNEV"), QStringLiteral(" Várható használati idő terv sz (év) ."), false, false, QStringLiteral("="), 4, {}, {}},
        {QStringLiteral("GYARTONEV"), QStringLiteral(" Gyártó neve: "), false, false, QStringLiteral("LOWER"), 60, {}, {}},
        {QStringLiteral("GYARISZAM"), QStringLiteral(" Gyártási szám: "), false, false, QStringLiteral("LOWER"), 40, {}, {}},
        {QStringLiteral("LEIRAS"), QStringLiteral(" Tömeg, teljesítmény, méret: "), false, false, QStringLiteral("LOWER"), 120, {}, {}},
        {QStringLiteral("RENDSZAM"), QStringLiteral(" Rendszám, alvázszám, motorszám: "), false, false, QStringLiteral("LOWER"), 60, {}, {}},
        {QStringLiteral("KIVEZETVE"), QStringLiteral(" Eladás, megsemmisülés kelte: "), true, false, QStringLiteral(">="), 10, {}, {}},
        {QStringLiteral("KIVEZETOK"), QString(), false, false, QStringLiteral("LOWER"), 60, {}, {}},
        {QStringLiteral("AKTIV"), QStringLiteral(" Élő tétel? (I / N) "), false, false, QStringLiteral("LOWER"), 1, {}, {}},
        {QStringLiteral("RAKTAR"), QStringLiteral(" Raktár (tárolási hely)"), false, true, QStringLiteral("LOWER"), 10,
         QStringLiteral("b_raktar"), QStringLiteral("l_raktar")},
        {QStringLiteral("TETELSORSZAM"), QStringLiteral(" Tétel sorszáma: "), false, true, QString(), 15, {}, {}},
    };
    return fields;
}

const QList<GridColumn>& EszkozColumns() {
    static const QList<GridColumn> columns{
        {QStringLiteral("KOD"), QStringLiteral("Nyilv.szám")},      {QStringLiteral("MEGNEVEZES"), QStringLiteral("Megnevezés")},
        {QStringLiteral("NETTOERT"), QStringLiteral("Érték")},      {QStringLiteral("KULCS1"), QStringLiteral("%")},
        {QStringLiteral("UZEMBEHELY"), QStringLiteral("Üzem. hely.")}, {QStringLiteral("ADOEV"), QStringLiteral("Év")},
        {QStringLiteral("ECSVEGE"), QStringLiteral("É.cs. vége")},  {QStringLiteral("SZALLNEV"), QStringLiteral("Szállító")},
        {QStringLiteral("GYARTONEV"), QStringLiteral("Gyártó")},    {QStringLiteral("GYARISZAM"), QStringLiteral("Gyári szám")},
        {QStringLiteral("VTSZ"), QStringLiteral("VTSZ")},           {QStringLiteral("BERUHAZVA"), QStringLiteral("Beruházva")},
        {QStringLiteral("AKTIV"), QStringLiteral("Élő?")},          {QStringLiteral("KIVEZETVE"), QStringLiteral("Eladva")},
    };
    return columns;
}

std::optional<QString> InfoLabel(const QString& hint, const QSqlRecord& row) {
    const qsizetype point = hint.indexOf(u'.');
    const qsizetype comma = hint.indexOf(u',');
    const qsizetype equals = hint.indexOf(u'=');
    if (point < 0 || comma < point || equals < comma) return std::nullopt;
    const QString table = hint.left(point);
    const QString column = hint.mid(point + 1, comma - point - 1);
    const QString key = hint.mid(comma + 1, equals - comma - 1);
    const QString field = hint.mid(equals + 1);
    const QString value = row.contains(field) ? FieldValueText(row.value(field)) : QString();
    QSqlQuery q = ExecSql(d_tarvedo,
                          QStringLiteral("Select ") + column + QStringLiteral(" from ") + table + QStringLiteral(" Where ") +
                              key + QStringLiteral(" = cast(:v as varchar(1000))"),
                          {{QStringLiteral("v"), value}});
    QStringList values;
    while (NextRow(q)) values << q.value(0).toString();
    return values.join(QStringLiteral(", "));
}

std::optional<double> RateNumber(const QString& text) {
    QString t = text.trimmed();
    t.remove(u' ');
    if (t.isEmpty()) return 0.0;
    t.replace(u',', u'.');
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

EszkozForm::EszkozForm() {
    for (const EszkozField& f : EszkozFields()) {
        PanelControl& c = p.add(QStringLiteral("e_") + f.column.toLower(), PanelKind::Edit);
        c.hint = f.hint;
        c.maxLength = f.maxLength;
        c.enabled = !f.disabled;
        if (!f.infoLabel.isEmpty()) p.add(f.infoLabel, PanelKind::StaticText).hint = infoHint(f.infoLabel);
    }
    p.add(QStringLiteral("e_beruhazva_ig"), PanelKind::Edit).hint = QStringLiteral("<=");
    p.add(QStringLiteral("e_uzembehely_ig"), PanelKind::Edit).hint = QStringLiteral("<=");
}

EszkozForm::~EszkozForm() = default;

const QSqlRecord& EszkozForm::currentRow() const {
    static const QSqlRecord none;
    return current >= 0 && current < rows.size() ? rows.at(current) : none;
}

QString EszkozForm::tetelText(const QString& column) const {
    return wtetel.contains(column) ? FieldValueText(wtetel.value(column)) : QString();
}

QString EszkozForm::latestPeriodEnd() const {
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("Select *\n  from ECS_IDOSZAK\n order by DATUMIG desc"));
    return NextRow(q) ? q.value(QStringLiteral("DATUMIG")).toString() : QString();
}

void EszkozForm::FormShow() {
    if (wstate == QLatin1String("created")) {
        QSqlQuery shape = ExecSql(d_tarvedo, QStringLiteral("Select * From\nESZKOZ\nWhere BELSOKOD is null"));
        wshape = shape.record();
        wanraktar = wshape.contains(QStringLiteral("RAKTAR"));
        for (const QString& name : {QStringLiteral("e_raktar"), QStringLiteral("l_raktar")})
            if (PanelControl* c = p.find(name)) c->visible = wanraktar;
        SqlKeszit(QStringLiteral("ESZKOZ"), &wins, &wupd, nullptr, QStringLiteral("BELSOKOD"));
        SqlKeszit(QStringLiteral("ESZKOZKARTON"), &wkartonInsert, nullptr, nullptr, QStringLiteral("ESZKOZKOD,SORSZAM"));
        OpenList(listLines(QStringLiteral("Where BELSOKOD is null")), {}, 1);
        wstate = Browse;
    }
    szallkodVisible = flagOn(QStringLiteral("VANUGYFEL"));
    if (PanelControl* c = p.find(QStringLiteral("e_szallkod"))) c->visible = szallkodVisible;
    wtetel = QSqlRecord();
    if (!wntipus.isEmpty()) {
        openFromVoucher();
    } else {
        OpenList(listLines(cb_aktiv ? QStringLiteral("Where AKTIV='I'") : QString()), {}, 0);
        p_keresEnabled = true;
        cb_keres = false;
        if (rows.isEmpty()) MezokTorol(p);
        wstate = Browse;
        b_kivalasztVisible = false;
    }
    p_toligVisible = p_keresEnabled;
    modEnabled = flagOn(QStringLiteral("NYITVA"));
}

void EszkozForm::openFromVoucher() {
    QSqlQuery q = ExecSql(d_tarvedo,
                          QStringLiteral("Select * from TETEL\n Where NTIPUS = :ntipus\n   and KONYVBIZ = :konyvbiz\n"
                                         "   and SZLA like '1%'\n order by SORSZAM"),
                          {{QStringLiteral("ntipus"), wntipus}, {QStringLiteral("konyvbiz"), wkonyvbiz}});
    if (NextRow(q)) wtetel = q.record();
    if (AskDialog(QStringLiteral("Új tárgyi eszköz?"), 0, YesNo) == 0) {
        p_keresEnabled = false;
        cb_keres = false;
        b_kivalasztVisible = false;
        OpenList(listLines(QStringLiteral("Where TETELSORSZAM = :tetelsorszam")),
                 {{QStringLiteral("tetelsorszam"), tetelText(QStringLiteral("SORSZAM"))}}, 1);
        if (!rows.isEmpty()) {
            wstate = Update;
        } else {
            b_ujClick();
        }
        fillFromItem(false);
    } else {
        p_keresEnabled = true;
        cb_keres = true;
        b_kivalasztVisible = true;
        MezokTorol(p);
        p.setText(QStringLiteral("e_szla"), tetelText(QStringLiteral("SZLA")).left(2));
        runSearch();
    }
}

// The posted item into the panel: as a new asset, or as an increase of the
// chosen one.
void EszkozForm::fillFromItem(bool increase) {
    p.setText(QStringLiteral("e_szla"), tetelText(QStringLiteral("SZLA")));
    p.setText(QStringLiteral("e_beruhazva"), tetelText(increase ? QStringLiteral("TELJKELT") : QStringLiteral("SZLAKELT")));
    p.setText(QStringLiteral("e_nettoert"), tetelText(QStringLiteral("ERTEK")));
    if (!increase) {
        p.setText(QStringLiteral("e_tetelsorszam"), tetelText(QStringLiteral("SORSZAM")));
        p.setText(QStringLiteral("e_maradvany"), QStringLiteral("0"));
    }
    if (flagOn(QStringLiteral("VANUGYFEL"))) {
        const QString partner = tetelText(QStringLiteral("UGYFELKOD"));
        p.setText(QStringLiteral("e_szallkod"), partner);
        if (const auto row = findRow(QStringLiteral("UGYFEL"), QStringLiteral("KOD"), partner))
            p.setText(QStringLiteral("e_szallnev"), row->value(QStringLiteral("NEV")).toString());
    }
    e_szlaExit();
}

void EszkozForm::OpenList(const QStringList& sql, const QVariantMap& params, int sqldb) {
    listSql = sql;
    listParams = params;
    wsqldb = sqldb;
    ReopenList();
}

void EszkozForm::ReopenList() {
    const QString keep = currentRow().isEmpty() ? QString() : currentRow().value(QStringLiteral("BELSOKOD")).toString();
    rows.clear();
    QSqlQuery q = ExecSql(d_tarvedo, listSql.join(u'\n'), listParams);
    while (NextRow(q)) rows << q.record();
    current = -1;
    if (!keep.isEmpty() && Locate(keep)) return;
    Scroll(rows.isEmpty() ? -1 : 0);
}

bool EszkozForm::Locate(const QString& belsokod) {
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i).value(QStringLiteral("BELSOKOD")).toString() == belsokod) {
            Scroll(i);
            return true;
        }
    }
    return false;
}

void EszkozForm::Scroll(int row) {
    current = row;
    if (row < 0 || row >= rows.size()) {
        current = -1;
        return;
    }
    RekordMutat(rows.at(row), p, QStringLiteral("e_"));
    RefreshInfoLabels();
}

void EszkozForm::RefreshInfoLabels() {
    for (const QString& label : {QStringLiteral("l_szlanev"), QStringLiteral("l_ecsmod"), QStringLiteral("l_raktar")}) {
        PanelControl* c = p.find(label);
        if (!c || !c->visible) continue;
        if (const auto text = InfoLabel(c->hint, currentRow())) c->text = *text;
    }
}

void EszkozForm::SortBy(const QString& field) {
    for (QString& line : listSql)
        if (line.contains(QLatin1String("ORDER BY"), Qt::CaseInsensitive)) line = QStringLiteral("Order By ") + field;
    ReopenList();
}

void EszkozForm::runSearch() {
    QStringList conditions;
    QVariantMap params;
    KeresFeltetel(p, conditions, &params);
    QStringList sql{QStringLiteral("Select * From"), QStringLiteral("ESZKOZ"),
                    cb_aktiv ? QStringLiteral("Where AKTIV='I'") : QStringLiteral("Where 1=1")};
    for (const QString& c : conditions) sql << QStringLiteral("and ") + c;
    sql << QStringLiteral("Order by KOD");
    OpenList(sql, params, int(conditions.size()));
    p_toligVisible = false;
    cb_keres = false;
}

void EszkozForm::b_frissitClick() {
    if (cb_keres) {
        runSearch();
    } else if (wstate == Insert) {
        OpenList(listLines(QStringLiteral("where BELSOKOD = :belsokod")),
                 {{QStringLiteral("belsokod"), p.text(QStringLiteral("e_belsokod"))}}, 1);
    } else if (wstate != Update) {
        ShowMessage(QStringLiteral("Nincs keresési módban!"));
    }
}

void EszkozForm::b_torolClick() {
    MezokTorol(p);
}

void EszkozForm::cb_keresClick(bool checked) {
    cb_keres = checked;
    p_toligVisible = checked;
}

void EszkozForm::cb_aktivClick(bool checked) {
    cb_aktiv = checked;
    MezokTorol(p);
    cb_keres = true;
    runSearch();
}

void EszkozForm::b_ujClick() {
    wstate = Insert;
    MezokTorol(p);
    cb_keres = false;
    p.setText(QStringLiteral("e_ecsmod"), Td().ceg.text(QStringLiteral("ECSMOD")));
    p.setText(QStringLiteral("e_aktiv"), QStringLiteral("I"));
    const auto method = findRow(QStringLiteral("SZ_ECSMOD"), QStringLiteral("KOD"), p.text(QStringLiteral("e_ecsmod")));
    p.setText(QStringLiteral("l_ecsmod"), method ? method->value(QStringLiteral("NEV")).toString() : QString());
}

void EszkozForm::b_modositClick() {
    wstate = Update;
    cb_keres = false;
}

void EszkozForm::b_megsemClick() {
    wstate = Browse;
    Scroll(current);
}

bool EszkozForm::e_kulcs1Exit() {
    const QString text = p.text(QStringLiteral("e_kulcs1")).trimmed();
    if (text.isEmpty()) return true;
    const std::optional<double> number = RateNumber(text);
    if (!number) {
        ShowMessage(QStringLiteral("A leírási kulcs nem szám: ") + text);
        focus = QStringLiteral("e_kulcs1");
        return false;
    }
    const double rate = *number;
    if (rate == 0) return true;
    const RateResult r = RateRule(rate, p.text(QStringLiteral("e_uzembehely")),
                                  FloatFromText(p.text(QStringLiteral("e_nettoert")), 0));
    p.setText(QStringLiteral("e_adoev"), QString::number(r.adoev));
    p.setText(QStringLiteral("e_ecsvege"), r.ecsvege);
    p.setText(QStringLiteral("e_maradvany"), QString::number(r.maradvany));
    return true;
}

bool EszkozForm::e_szlaExit() {
    const auto row = findRow(QStringLiteral("SZ_TUKOR"), QStringLiteral("SZLA"), p.text(QStringLiteral("e_szla")));
    if (row) p.setText(QStringLiteral("l_szlanev"), row->value(QStringLiteral("SZOVEG")).toString());
    return row.has_value();
}

bool EszkozForm::e_szallkodExit() {
    const QString code = p.text(QStringLiteral("e_szallkod")).toUpper();
    const auto row = findRow(QStringLiteral("UGYFEL"), QStringLiteral("KOD"), code);
    if (row) {
        p.setText(QStringLiteral("e_szallkod"), code);
        p.setText(QStringLiteral("e_szallnev"), row->value(QStringLiteral("NEV")).toString());
    }
    return row.has_value();
}

bool EszkozForm::e_ecsmodExit() {
    const auto row = findRow(QStringLiteral("SZ_ECSMOD"), QStringLiteral("KOD"), p.text(QStringLiteral("e_ecsmod")));
    if (row) p.setText(QStringLiteral("l_ecsmod"), row->value(QStringLiteral("NEV")).toString());
    return row.has_value();
}

bool EszkozForm::e_raktarExit() {
    const auto row = findRow(QStringLiteral("SZ_RAKTAR"), QStringLiteral("KOD"), p.text(QStringLiteral("e_raktar")));
    if (row) p.setText(QStringLiteral("l_raktar"), row->value(QStringLiteral("NEV")).toString());
    return row.has_value();
}

void EszkozForm::b_kivalasztClick() {
    fillFromItem(true);
    wstate = Insert;
}

QSqlRecord EszkozForm::lastMovement(const QString& belsokod) const {
    QSqlQuery q = ExecSql(d_tarvedo,
                          QStringLiteral("Select first 1 * from ESZKOZKARTON where ESZKOZKOD = :eszkozkod order by SORSZAM desc"),
                          {{QStringLiteral("eszkozkod"), belsokod}});
    return NextRow(q) ? q.record() : QSqlRecord();
}

void EszkozForm::addMovement(const QVariantMap& values) {
    wkartonInsert.clearValues();
    for (const QString& name : wkartonInsert.paramNames()) {
        const QVariant v = values.value(name);
        wkartonInsert.setValue(name, v.isValid() ? v : QVariant(0.0));
    }
    wkartonInsert.exec();
}

bool EszkozForm::b_tarolClick() {
    focus.clear();
    // 1. Required fields, the first empty one is told.
    const QList<std::pair<QString, QString>> required{
        {QStringLiteral("e_szla"), QStringLiteral(" Számlaszám: ")},
        {QStringLiteral("e_megnevezes"), QStringLiteral(" Megnevezés: ")},
        {QStringLiteral("e_szallnev"), QStringLiteral(" Szállító neve: ")},
        {QStringLiteral("e_vtsz"), QStringLiteral(" VTSZ: ")},
        {QStringLiteral("e_beruhazva"), QStringLiteral(" Beruházás kelte: ")},
        {QStringLiteral("e_uzembehely"), QStringLiteral(" Üzembehelyezés kelte: ")},
        {QStringLiteral("e_nettoert"), QStringLiteral(" Nettó érték")},
        {QStringLiteral("e_ecsmod"), QStringLiteral(" Értékcsökkenési leírási mód: ")},
    };
    for (const auto& [name, caption] : required) {
        if (p.text(name).trimmed().isEmpty()) {
            ShowMessage(QStringLiteral("Üresen hagyott egy kötelező mezőt:") + caption);
            focus = name;
            return false;
        }
    }
    // A rate that is no number never reaches the database.
    if (!RateNumber(p.text(QStringLiteral("e_kulcs1")))) {
        ShowMessage(QStringLiteral("A leírási kulcs nem szám: ") + p.text(QStringLiteral("e_kulcs1")));
        focus = QStringLiteral("e_kulcs1");
        return false;
    }
    // 2. A commissioning in a period already depreciated.
    const QString latest = latestPeriodEnd();
    if (!latest.isEmpty() && p.text(QStringLiteral("e_uzembehely")) < latest) {
        if (AskDialog(QStringLiteral("Az üzembehelyezés olyan időszakra esik, amire már volt értékcsökkenés elszámolás!\r"
                                     "Folytatja?"),
                      0, YesNo) != 0)
            return false;
    }
    // 3.-5. The withdrawal and the live flag.
    const QString kivezetve = p.text(QStringLiteral("e_kivezetve")).trimmed();
    if (!p.text(QStringLiteral("e_kivezetok")).trimmed().isEmpty() && kivezetve.isEmpty()) {
        ShowMessage(QStringLiteral("Ha megadta a kivezetés okát, adja meg a dátumot is!"));
        focus = QStringLiteral("e_kivezetve");
        return false;
    }
    if (!kivezetve.isEmpty()) p.setText(QStringLiteral("e_aktiv"), QStringLiteral("N"));
    const QString aktiv = p.text(QStringLiteral("e_aktiv")).trimmed().toUpper();
    if (aktiv != QLatin1String("I") && aktiv != QLatin1String("N")) {
        ShowMessage(QStringLiteral("Az élő tétel jelzése csak I vagy N lehet."));
        focus = QStringLiteral("e_aktiv");
        return false;
    }
    p.setText(QStringLiteral("e_aktiv"), aktiv);
    // 6. Browsing: the user confirms.
    if (wstate == Browse) {
        if (AskDialog(QStringLiteral("Biztos, hogy tárolni akarja a változásokat?"), 0, YesNo) != 0) return false;
        wstate = rows.isEmpty() ? Insert : Update;
    }
    // An asset whose rate was typed but whose commissioning came later
    // still gets the end of its depreciation.
    if (p.text(QStringLiteral("e_ecsvege")).isEmpty()) {
        const RateResult r = RateRule(FloatFromText(p.text(QStringLiteral("e_kulcs1")), 0),
                                      p.text(QStringLiteral("e_uzembehely")), 0);
        p.setText(QStringLiteral("e_ecsvege"), r.ecsvege);
    }

    const bool increase = b_kivalasztVisible;  // an increase of the chosen asset by the posted item
    if (increase && currentRow().isEmpty()) {
        ShowMessage(QStringLiteral("Válassza ki a listából az eszközt, amelynek az értéke nő!"));
        return false;
    }
    const bool isNew = wstate == Insert && !increase;
    if (isNew)
        p.setText(QStringLiteral("e_belsokod"),
                  Td().ceg.text(QStringLiteral("AKTUALISEV")) + u'/' + NextSequenceNumber(QStringLiteral("ESZKOZ")));
    const QString oldKivezetve = currentRow().isEmpty() ? QString()
                                                        : currentRow().value(QStringLiteral("KIVEZETVE")).toString().trimmed();
    const QSqlRecord source = currentRow().isEmpty() || wstate == Insert ? wshape : currentRow();

    // The asset and its movement stand or fall together.
    DbTransaction transaction(d_tarvedo);
    if (!increase) {
        SqlStatement& statement = wstate == Insert ? wins : wupd;
        if (wstate == Insert) UjParamok(wshape, statement);
        if (!RekordTarol(source, statement, p, 1, wstate)) return false;
    }
    const QString today = DateToText();
    if (wstate != Insert) {
        if (oldKivezetve.isEmpty() && kivezetve != oldKivezetve) {
            const QString belsokod = p.text(QStringLiteral("e_belsokod"));
            const QSqlRecord last = lastMovement(belsokod);
            const double lastBrutto = last.isEmpty() ? 0 : last.value(QStringLiteral("BRUTTO")).toDouble();
            addMovement({{QStringLiteral("ESZKOZKOD"), belsokod},
                         {QStringLiteral("SORSZAM"), last.isEmpty() ? 1 : last.value(QStringLiteral("SORSZAM")).toInt() + 1},
                         {QStringLiteral("KELT"), kivezetve},
                         {QStringLiteral("BIZONYLAT"), NonNullText(QString())},
                         {QStringLiteral("SZOVEG"), Kivezetes},
                         {QStringLiteral("MENNYISEG"), last.isEmpty() ? 0.0 : last.value(QStringLiteral("MENNYISEG")).toDouble()},
                         // The whole gross value leaves the books with the asset.
                         {QStringLiteral("BRUTTOCSOK"), lastBrutto},
                         {QStringLiteral("SZLA"), NonNullText(QString())}});
        }
    } else if (increase) {
        const QString belsokod = currentRow().value(QStringLiteral("BELSOKOD")).toString();
        const QSqlRecord last = lastMovement(belsokod);
        const bool item = !wtetel.isEmpty();
        const double ertek = item ? wtetel.value(QStringLiteral("ERTEK")).toDouble() : 0.0;
        // The gross and net values continue the card.
        const double brutto = (last.isEmpty() ? 0 : last.value(QStringLiteral("BRUTTO")).toDouble()) + ertek;
        const double netto = (last.isEmpty() ? 0 : last.value(QStringLiteral("NETTOERT")).toDouble()) + ertek;
        addMovement({{QStringLiteral("ESZKOZKOD"), belsokod},
                     {QStringLiteral("SORSZAM"), last.isEmpty() ? 1 : last.value(QStringLiteral("SORSZAM")).toInt() + 1},
                     {QStringLiteral("KELT"), item ? tetelText(QStringLiteral("TELJKELT")) : today},
                     {QStringLiteral("BIZONYLAT"), NonNullText(tetelText(QStringLiteral("BIZONYLAT")))},
                     {QStringLiteral("SZOVEG"), item ? NonNullText(tetelText(QStringLiteral("SZOVEG"))) : QStringLiteral("módosítás")},
                     {QStringLiteral("MENNYISEG"), 1.0},
                     {QStringLiteral("BRUTTONOV"), ertek},
                     {QStringLiteral("BRUTTO"), brutto},
                     {QStringLiteral("NETTOERT"), netto},
                     {QStringLiteral("SZLA"), NonNullText(p.text(QStringLiteral("e_szla")))}});
    } else {
        const double value = FloatFromText(p.text(QStringLiteral("e_nettoert")), 0);
        addMovement({{QStringLiteral("ESZKOZKOD"), p.text(QStringLiteral("e_belsokod"))},
                     {QStringLiteral("SORSZAM"), 1},
                     {QStringLiteral("KELT"), p.text(QStringLiteral("e_uzembehely"))},
                     {QStringLiteral("BIZONYLAT"), NonNullText(wntipus.isEmpty() ? QString() : tetelText(QStringLiteral("BIZONYLAT")))},
                     {QStringLiteral("SZOVEG"), UzembeHelyezes},
                     {QStringLiteral("MENNYISEG"), 1.0},
                     {QStringLiteral("BRUTTONOV"), value},
                     {QStringLiteral("BRUTTO"), value},
                     {QStringLiteral("NETTOERT"), value},
                     {QStringLiteral("SZLA"), NonNullText(p.text(QStringLiteral("e_szla")))}});
    }
    transaction.commit();

    if (isNew) {
        // The list shows the new asset.
        if (listParams.contains(QStringLiteral("tetelsorszam")))
            ReopenList();
        else
            OpenList(listLines(QStringLiteral("where BELSOKOD = :belsokod")),
                     {{QStringLiteral("belsokod"), p.text(QStringLiteral("e_belsokod"))}}, 1);
        Locate(p.text(QStringLiteral("e_belsokod")));
    } else {
        ReopenList();
    }
    wstate = Browse;
    return true;
}

std::unique_ptr<ExportSource> EszkozForm::ListForExport() const {
    auto source = std::make_unique<MemoryExportSource>(QStringLiteral("Eszköz"));
    if (wshape.isEmpty()) return source;
    for (int i = 0; i < wshape.count(); ++i) {
        const QMetaType type = wshape.field(i).metaType();
        const bool number = type.id() == QMetaType::Double || type.id() == QMetaType::Int ||
                            type.id() == QMetaType::LongLong;
        source->addColumn(wshape.fieldName(i), number ? QStringLiteral("FLOAT") : QStringLiteral("VARCHAR"));
    }
    for (const QSqlRecord& row : rows) {
        QVariantList values;
        for (int i = 0; i < row.count(); ++i) values << row.value(i);
        source->addRow(values);
    }
    return source;
}
