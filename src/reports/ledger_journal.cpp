#include "reports/ledger_journal.h"

#include <QDate>
#include <QFile>
#include <QSqlQuery>
#include <QTextStream>
#include <stdexcept>

#include "db/dat.h"

namespace {

// An item side with no account still balances, on an account that is no
// account number.
const QString NoAccount = QStringLiteral("Nincs");

// "yyyy-mm-dd" from a "yyyy.mm.dd" text, or empty when it is no date.
QString isoDate(const QString& text) {
    const QDate date = QDate::fromString(text.trimmed(), QStringLiteral("yyyy.MM.dd"));
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QString narrative(const QString& text) {
    return text.simplified().replace(u';', u',');
}

// Amounts as exact decimals: up to six places, without trailing zeros.
QString amountText(double value) {
    QString text = QString::number(value, 'f', 6);
    while (text.endsWith(u'0')) text.chop(1);
    if (text.endsWith(u'.')) text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

}  // namespace

QString LedgerAccountPath(const QString& szla) {
    const QString account = szla.trimmed();
    if (account.isEmpty()) return NoAccount;
    QStringList parts;
    for (int length = 1; length <= account.size(); ++length) parts << account.left(length);
    return parts.join(u':');
}

qint64 WriteLedgerJournal(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw std::runtime_error(QStringLiteral("A fájl (%1) nem írható.").arg(path).toStdString());
    QTextStream out(&file);
    out.setEncoding(QStringConverter::Utf8);
    QSqlQuery q = ExecSql(d_tarvedo, QStringLiteral("select TELJKELT, BIZKELT, KONYVELVE, KONYVBIZ, SZOVEG, SZLA, ESZLA, ERTEK "
                                                    "from TETEL order by TELJKELT, NTIPUS, KONYVBIZ, SORSZAM"));
    qint64 written = 0;
    while (NextRow(q)) {
        QString date = isoDate(q.value(0).toString());
        if (date.isEmpty()) date = isoDate(q.value(1).toString());
        if (date.isEmpty()) date = isoDate(q.value(2).toString());
        if (date.isEmpty()) date = QStringLiteral("1900-01-01");
        QString payee = narrative(q.value(4).toString());
        if (payee.isEmpty()) payee = narrative(q.value(3).toString());
        const double amount = q.value(7).toDouble();
        out << date << u' ' << payee << u'\n'
            << QStringLiteral("    ") << LedgerAccountPath(q.value(5).toString()) << QStringLiteral("    ") << amountText(amount) << u'\n'
            << QStringLiteral("    ") << LedgerAccountPath(q.value(6).toString()) << QStringLiteral("    ") << amountText(-amount)
            << QStringLiteral("\n\n");
        ++written;
    }
    out.flush();
    if (file.error() != QFileDevice::NoError)
        throw std::runtime_error(QStringLiteral("A fájl (%1) nem írható.").arg(path).toStdString());
    return written;
}
