#pragma once
// A small reader of .xlsx workbooks for tests: the zip's parts, whether they
// are well-formed XML, and the cells, merges, columns and styles of a sheet.
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

struct XlsxCell {
    QString type;     // the t attribute: "", "n", "s", "str", "inlineStr", "b"
    QString value;    // the text of an inline or shared string, or <v>
    QString formula;  // <f>, without "="
    int style = 0;    // the s attribute
};

struct XlsxColumn {
    int min = 0;  // 1-based
    int max = 0;
    double width = 0;
    bool hidden = false;
    int style = 0;
};

struct XlsxStyle {
    QString numberFormat;  // the format code; empty for General
    bool bold = false;
};

struct XlsxSheet {
    QMap<QString, XlsxCell> cells;  // by reference, "B3"
    QStringList merges;             // "A1:E1"
    QList<XlsxColumn> columns;
    int lastRow = 0;

    bool has(const QString& ref) const { return cells.contains(ref); }
    QString value(const QString& ref) const { return cells.value(ref).value; }
    QString formula(const QString& ref) const { return cells.value(ref).formula; }
    // The column's width and hidden flag (1-based column).
    XlsxColumn column(int index) const;
};

class XlsxWorkbook {
public:
    explicit XlsxWorkbook(const QString& path);

    bool isOpen() const { return m_open; }
    QStringList partNames() const { return m_parts.keys(); }
    QByteArray part(const QString& name) const { return m_parts.value(name); }
    // Empty when the part parses as XML; else the parser's message.
    QString xmlError(const QString& name) const;

    QString workbookContentType() const;
    QStringList sheetNames() const;
    XlsxSheet sheet(const QString& name) const;
    XlsxStyle style(int index) const;

private:
    bool m_open = false;
    QMap<QString, QByteArray> m_parts;
};
