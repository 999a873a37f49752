#pragma once
// The VAT-return file: the figures of a VAT list result table written into
// the tax authority's form-package XML for the form "65A" (the last two
// digits of the year + "65A"), in Windows-1250. The form's field
// identifiers come from the table ANYK_DEF by the system's own field names,
// per form, year and page.
#include <QByteArray>
#include <QDate>
#include <QString>

inline const QString AfaXmlNamespace = QStringLiteral("http://www.apeh.hu/abev/nyomtatvanyok/2005/01");
inline const QString AfaXmlReady = QStringLiteral("Az XML file elkészült.");
inline const QString AfaXmlDialogTitle = QStringLiteral("Adja meg az XML fájl nevét!");

struct AfaXmlInput {
    QString tol, ig;               // the period's months, "yyyy.mm"
    QString verzio = QStringLiteral("1.0");  // the form version
    QString table;                 // the VAT list's result table
    QDate today;                   // the date of the return; null: today
};

// "AFA_" + company code + "_" + from-month + "-" + to-month + ".XML".
QString AfaXmlFileName(const QString& tol, const QString& ig);
// The form identifier: the last two digits of the to-month's year + "65A".
QString AfaXmlFormId(const QString& ig);

// The whole file, in Windows-1250.
QByteArray AfaXmlDocument(const AfaXmlInput& input);
// Writes the file in one step (an existing one is replaced only when the
// new one is complete); throws std::runtime_error with the Hungarian
// message when it cannot be written.
void WriteAfaXml(const AfaXmlInput& input, const QString& fileName);
