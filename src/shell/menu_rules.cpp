#include "menu_rules.h"

#include "db/dat.h"
#include "db/ui_hooks.h"

QString MenuNev(const QString& itemCaption) {
    QString caption = itemCaption;
    caption.remove(QLatin1Char('&'));
    return caption + QStringLiteral(" * ") + Td().ceg.text(QStringLiteral("AKTUALISEV"));
}

bool YearOpenCheck() {
    if (Td().ceg.text(QStringLiteral("NYITVA")).toUpper() == QLatin1String("I")) return true;
    ShowMessage(QStringLiteral("Az év le van zárva."));
    return false;
}
