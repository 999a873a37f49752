#include "validation.h"

#include <QDate>

#include "db/altproc.h"
#include "db/ui_hooks.h"
#include "masterdata/record_storage.h"

namespace {

const QString kCr = QStringLiteral("\r");
const QDate kTaxIdEpoch(1867, 1, 1);

// A date text in one of the forms the date check accepts, as a date.
QDate readDate(const QString& text) {
    QString r = text.trimmed();
    r.remove(QLatin1Char(' '));
    switch (r.size()) {
    case 6: r = r.left(4) + u'.' + r.mid(4, 2) + QStringLiteral(".01"); break;
    case 7: r += QStringLiteral(".01"); break;
    case 8: r = DotDate(r); break;
    case 10: break;
    case 11: r = r.left(10); break;
    default: return {};
    }
    try {
        return ParseDate(r);
    } catch (const HelperError&) {
        return {};
    }
}

bool allDigits(const QString& t) {
    for (QChar c : t)
        if (c < u'0' || c > u'9') return false;
    return true;
}

// The date encoded in characters 2 to 6 of a tax identifier.
QString encodedDate(const QString& taxId) {
    const QString days = taxId.mid(1, 5);
    if (days.size() != 5 || !allDigits(days)) return {};
    return DateToText(kTaxIdEpoch.addDays(days.toInt()));
}

QString crossCheckQuestion(const QString& question, const QString& birthDate, const QString& taxId) {
    const QString code = TaxIdDayCode(birthDate);
    return QStringLiteral("FIGYELEM!!! Az adószám és a születési dátum egymásnak ellentmondó adatot tartalmaz! ") + question
           + kCr + birthDate + QStringLiteral(" -> 8") + code.mid(1) + QStringLiteral("nnnn ") + taxId + kCr + taxId
           + QStringLiteral(" -> ") + encodedDate(taxId) + QLatin1Char(' ') + birthDate;
}

bool isEdit(const PanelControl* c) { return c && c->kind == PanelKind::Edit; }

}  // namespace

QString TaxIdDayCode(const QString& birthDate) {
    const QDate date = readDate(birthDate);
    if (!date.isValid()) return {};
    const QString n = QString::number(kTaxIdEpoch.daysTo(date) + 100000);
    return QLatin1Char('8') + n.mid(1, 5);
}

QString Validal(PanelValues& panel, const QString& editName, const QString& nextName) {
    PanelControl* edit = panel.find(editName);
    if (!edit || edit->tag == 0 || edit->readOnly) return {};
    const PanelControl* next = nextName.isEmpty() ? nullptr : panel.find(nextName);
    // Pressing the field's own button must not check a half-typed value.
    if (next && next->kind == PanelKind::Button && next->name.mid(2).compare(edit->name.mid(2), Qt::CaseInsensitive) == 0)
        return {};

    const QString own = edit->name;
    const QString text = edit->text;
    const QString trimmed = text.trimmed();
    const auto refuse = [&own](const QString& message) {
        ShowMessage(message);
        return own;
    };
    switch (edit->tag) {
    case 1: return DateValid(text, true) ? QString() : own;
    case 2: return trimmed.isEmpty() ? refuse(QStringLiteral("Kötelező kitölteni.")) : QString();
    case 3:
        return trimmed.isEmpty() || trimmed == QLatin1String("0") ? refuse(QStringLiteral("Nem lehet nulla.")) : QString();
    case 4: return trimmed.isEmpty() || DateValid(text, true) ? QString() : own;
    case 5: {
        if (!IsNumber(text, false)) return refuse(QStringLiteral("Nem jó szám."));
        PanelControl* target = panel.find(nextName);
        if (isEdit(target)) target->text = QString::number(RoundHalfAway(FloatFromText(text, 0) * 1.27));
        return {};
    }
    case 6: {
        if (!IsNumber(text, false)) return refuse(QStringLiteral("Nem jó szám."));
        const PanelControl* label = panel.find(QStringLiteral("L_") + NameAfterPrefix(own));
        const PanelControl* other = label ? panel.find(QStringLiteral("E_") + label->hint.trimmed()) : nullptr;
        PanelControl* target = panel.find(nextName);
        if (label && !label->hint.trimmed().isEmpty() && isEdit(other) && isEdit(target))
            target->text = FieldValueText(FloatFromText(text, 0) * FloatFromText(other->text, 0));
        return {};
    }
    case 7:
    case 10: edit->text = text.toUpper(); return {};
    case 11: edit->text = text.toLower(); return {};
    case 98:
        if (trimmed.isEmpty()) return refuse(QStringLiteral("Kötelező kitölteni."));
        edit->text = ProperCase(trimmed, false);
        return {};
    case 99: edit->text = ProperCase(trimmed, false); return {};
    case 101: {
        // Ten digits and nothing else: a sign or a decimal separator is no digit.
        if (!TaxIdValid(text) || (!trimmed.isEmpty() && !allDigits(trimmed)))
            return refuse(QStringLiteral("Hibás adóazonosító."));
        const PanelControl* birth = panel.find(QStringLiteral("E_SZULDAT"));
        if (trimmed.isEmpty() || !birth || !DateValid(birth->text, false)) return {};
        const QString birthDate = birth->text.trimmed();
        if (trimmed.left(6) == TaxIdDayCode(birthDate)) return {};
        const int answer = AskDialog(crossCheckQuestion(QStringLiteral("Jó az adószám?"), birthDate, trimmed), 0);
        return answer == 0 ? birth->name : own;
    }
    case 102:
        return !trimmed.isEmpty() && !TajValid(text) ? refuse(QStringLiteral("Hibás TAJszám.")) : QString();
    case 103: {
        if (!DateValid(text, true)) return own;
        const PanelControl* tax = panel.find(QStringLiteral("E_ADOSZAM"));
        if (!tax || tax->text.trimmed().isEmpty()) return {};
        const QString taxId = tax->text.trimmed();
        if (taxId.left(6) == TaxIdDayCode(trimmed)) return {};
        const int answer = AskDialog(crossCheckQuestion(QStringLiteral("Jó a dátum?"), trimmed, taxId), 0);
        return answer == 0 ? tax->name : own;
    }
    default: return {};
    }
}
