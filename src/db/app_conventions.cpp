#include "app_conventions.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
QChar g_decimalSeparator = u'.';
}

void SetAppConventions() {
    const QString point = QLocale::system().decimalPoint();
    g_decimalSeparator = point.isEmpty() ? QChar(u'.') : point.at(0);
}

QChar DecimalSeparator() { return g_decimalSeparator; }

void SetDecimalSeparator(QChar separator) { g_decimalSeparator = separator; }

bool UseHungarianTexts() {
    const QLocale hungarian(QLocale::Hungarian, QLocale::Hungary);
    QLocale::setDefault(hungarian);
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    // Loaded once for the run; the application owns it.
    const QString name = QStringLiteral("tarvedo_qtbase_hu");
    if (app->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly)) return true;
    auto* translator = new QTranslator(app);
    translator->setObjectName(name);
    if (!translator->load(hungarian, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}
