#include "msg.h"

QString MsgCaption(int kind) {
    switch (kind) {
        case 0: return QStringLiteral("   Kérem, döntsön!  ");
        case 1: return QStringLiteral("   Figyelmeztetés  ");
        case 2: return QStringLiteral("   Hiba történt  ");
        default: return QStringLiteral("   Párbeszéd ablak  ");
    }
}

TmsgButtons MsgButtons(int kind, const TmsgButtons& buttons) {
    if (!buttons.isEmpty()) return buttons;
    if (kind == 0) return {QStringLiteral(" Igen "), QStringLiteral(" Nem ")};
    return {QStringLiteral(" OK ")};
}

QString MsgButtonCaption(const QString& text) {
    qsizetype first = 0;
    while (first < text.size() && text.at(first).isSpace()) ++first;
    if (first == text.size()) first = 0;
    QString caption = text;
    caption.insert(first, QLatin1Char('&'));
    return caption;
}

QString MsgDisplayText(const QString& message) {
    QString text = message;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
