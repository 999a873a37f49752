#pragma once
// The reference-table reads of the voucher window: existence of a typed code
// and the row behind it, the VAT account of a journal type, VAT rates and the
// default VAT code. Every typed value is bound as a parameter.
//
// A cached instance reads each table once and answers from memory; the
// command-line posting and the import use it, since the master data does not
// change under a batch. The window asks the database every time, because a
// lookup window may have just added a row.
#include <QHash>
#include <QSqlRecord>
#include <QString>
#include <optional>

class PostingLookups {
public:
    explicit PostingLookups(bool cached = false) : m_cached(cached) {}

    // The first row of `table` whose `column` equals `value` as it stands
    // (blanks are not trimmed); none for an empty value.
    std::optional<QSqlRecord> find(const QString& table, const QString& column, const QString& value);
    bool exists(const QString& table, const QString& column, const QString& value) {
        return find(table, column, value).has_value();
    }

    std::optional<QSqlRecord> journalType(const QString& kod) { return find(QStringLiteral("SZ_NTIP"), QStringLiteral("KOD"), kod); }
    std::optional<QSqlRecord> account(const QString& szla) { return find(QStringLiteral("SZ_TUKOR"), QStringLiteral("SZLA"), szla); }
    std::optional<QSqlRecord> vatAccount(const QString& aszla) { return find(QStringLiteral("SZ_ADOASZLA"), QStringLiteral("ASZLA"), aszla); }
    std::optional<QSqlRecord> partner(const QString& kod) { return find(QStringLiteral("UGYFEL"), QStringLiteral("KOD"), kod); }
    std::optional<QSqlRecord> costCentre(const QString& kod) { return find(QStringLiteral("SZ_KTSGHELY"), QStringLiteral("KOD"), kod); }

    // q_sz_adoaszla: the VAT account row of a journal type, VAT code and
    // character, with the account's name in SZOVEG.
    std::optional<QSqlRecord> journalVatAccount(const QString& ntipus, const QString& kod, const QString& jelleg);
    // The VAT account row of a journal type, VAT account and VAT code, with
    // the account's name in SZOVEG.
    std::optional<QSqlRecord> journalVatAccountOf(const QString& ntipus, const QString& aszla, const QString& kod);
    // q_sz_ado: the rate of a VAT code as a fraction; 0 when the code has no row.
    double vatRate(const QString& kod);
    // q_defaultado: the default VAT code, empty when none is marked.
    QString defaultVatCode();

private:
    using Index = QHash<QString, QSqlRecord>;
    const Index& index(const QString& table, const QString& column);

    bool m_cached;
    QHash<QString, Index> m_indexes;  // "TABLE.COLUMN" -> value -> first row
    QHash<QString, std::optional<QSqlRecord>> m_journalVat;
    QHash<QString, std::optional<QSqlRecord>> m_journalVatOf;
    QHash<QString, double> m_rates;
    std::optional<QString> m_defaultVat;
};
