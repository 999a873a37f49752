#include "db_error.h"

#include <QRegularExpression>

namespace {

QString engineTextOf(const QSqlError& error) {
    QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (!error.driverText().isEmpty() && !text.contains(error.driverText()))
        text = error.driverText() + QLatin1String(": ") + text;
    return text.trimmed();
}

bool isNumericCode(const QString& text) {
    static const QRegularExpression code(QStringLiteral("^-?\\d+$"));
    return code.match(text).hasMatch();
}

// What the program was doing, told by the statement's first word.
QString stepOf(const QString& statement) {
    const QString verb = statement.trimmed().section(QRegularExpression(QStringLiteral("\\s+")), 0, 0).toUpper();
    if (verb == QLatin1String("SELECT") || verb == QLatin1String("WITH")) return QStringLiteral("Az adatok olvasása");
    if (verb == QLatin1String("INSERT")) return QStringLiteral("Az adatok rögzítése");
    if (verb == QLatin1String("UPDATE") || verb == QLatin1String("MERGE"))
        return QStringLiteral("Az adatok módosítása");
    if (verb == QLatin1String("DELETE")) return QStringLiteral("Az adatok törlése");
    if (verb == QLatin1String("CREATE") || verb == QLatin1String("ALTER") || verb == QLatin1String("DROP")
        || verb == QLatin1String("RECREATE"))
        return QStringLiteral("Az adatbázis szerkezetének módosítása");
    return QStringLiteral("Az adatbázis-művelet");
}

// Why it failed, in the user's words, when the engine's text tells it.
QString reasonOf(const QString& engineText) {
    static const struct {
        const char* pattern;
        const char* reason;
    } reasons[] = {
        {"lock conflict|deadlock|update conflict",
         "egy másik munkaállomás éppen ugyanezt az adatot módosítja, próbálja újra később"},
        {"arithmetic exception|numeric overflow|divide by zero|out of range",
         "számítási hiba az adatokban (túl nagy szám, túl hosszú szöveg vagy nullával osztás)"},
        {"PRIMARY or UNIQUE KEY", "ilyen kulcsú adat már létezik"},
        {"FOREIGN KEY", "az adatra más adat hivatkozik, vagy a hivatkozott adat nem létezik"},
        {"validation error|NOT NULL", "egy kötelező adat hiányzik vagy érvénytelen"},
        {"read-only transaction", "csak olvasó lekérdezés adatot nem módosíthat"},
        {"user name and password|login", "az adatbázis felhasználóneve vagy jelszava hibás"},
        {"no permission", "nincs jogosultság a művelethez"},
        {"network request|connection|shutdown", "megszakadt a kapcsolat az adatbázis-kiszolgálóval"},
        {"I/O error|corrupt|checksum|wrong page|not a valid database", "az adatbázis fájl nem olvasható vagy sérült"},
        {"Table unknown|Column unknown|Token unknown|Dynamic SQL Error|Invalid command",
         "hibás utasítás (ismeretlen tábla, mező vagy szó)"},
    };
    for (const auto& r : reasons) {
        const QRegularExpression pattern(QString::fromLatin1(r.pattern), QRegularExpression::CaseInsensitiveOption);
        if (pattern.match(engineText).hasMatch()) return QString::fromUtf8(r.reason);
    }
    return {};
}

}  // namespace

bool IsEngineText(const QString& text) {
    // The program's own messages are Hungarian; the engine's are English, and
    // only the values they quote after their first part may hold other letters.
    static const QRegularExpression hungarian(QStringLiteral("[áéíóöőúüűÁÉÍÓÖŐÚÜŰ]"));
    static const QRegularExpression firstPartEnd(QStringLiteral(":| - "));
    const QString head = text.left(text.indexOf(firstPartEnd));
    return !hungarian.match(head).hasMatch() && !head.startsWith(QLatin1String("Nem "));
}

QString DbErrorUserText(const QString& engineText, const QString& statement) {
    const QString reason = reasonOf(engineText);
    QString text = stepOf(statement) + QStringLiteral(" nem sikerült");
    text += reason.isEmpty() ? QStringLiteral(".") : QStringLiteral(": ") + reason + QLatin1Char('.');
    if (!engineText.isEmpty()) text += QStringLiteral("\nRészletek: ") + engineText;
    return text;
}

DbError::DbError(Parts parts)
    : std::runtime_error(parts.message.toStdString()),
      m_message(std::move(parts.message)),
      m_engineText(std::move(parts.engineText)),
      m_statement(std::move(parts.statement)),
      m_nativeCode(std::move(parts.nativeCode)) {}

DbError::DbError(const QString& message, const QString& codeOrStatement)
    : DbError([&] {
          Parts parts;
          if (isNumericCode(codeOrStatement))
              parts.nativeCode = codeOrStatement;
          else
              parts.statement = codeOrStatement;
          if (IsEngineText(message)) {
              parts.engineText = message.trimmed();
              parts.message = DbErrorUserText(parts.engineText, parts.statement);
          } else {
              parts.message = message;
          }
          return parts;
      }()) {}

DbError::DbError(const QSqlError& error, const QString& statement)
    : DbError(Parts{DbErrorUserText(engineTextOf(error), statement), engineTextOf(error), statement,
                    error.nativeErrorCode()}) {}

bool DbError::isLockConflict() const {
    if (m_nativeCode == QLatin1String("-913")) return true;
    const QString lower = (m_engineText.isEmpty() ? m_message : m_engineText).toLower();
    return lower.contains(QLatin1String("deadlock")) || lower.contains(QLatin1String("update conflict"))
        || lower.contains(QLatin1String("lock conflict"));
}
