#pragma once
// A workbook file (.xlsx) written directly: worksheets stream their rows,
// compressed as they come, into a work file beside the workbook; closing
// lays the parts into the zip package. Memory stays flat however many rows
// are written.
#include <QList>
#include <QString>
#include <QTemporaryFile>

#include <memory>
#include <vector>

#include "deflate_stream.h"
#include "sheet_xml.h"
#include "zip_writer.h"

class XlsxPackage {
public:
    explicit XlsxPackage(const QString& path);
    ~XlsxPackage();

    // macroEnabled: the workbook is marked as one that may hold macros (.xlsm).
    void setMacroEnabled(bool macroEnabled) { m_macroEnabled = macroEnabled; }
    // False when the file or its work file cannot be made.
    bool open();

    // A new worksheet after the others; the one before it is complete.
    // Returns its index.
    int addSheet(const QString& name);
    SheetXml& rows(int sheet) { return *m_sheets.at(size_t(sheet))->xml; }
    void setColumns(int sheet, const QList<SheetColumn>& columns) { m_sheets.at(size_t(sheet))->columns = columns; }

    // Writes the package. False when it could not be written.
    bool close();
    QString errorString() const { return m_error; }

private:
    struct Sheet {
        QString name;
        std::unique_ptr<DeflateStream> stream;
        std::unique_ptr<SheetXml> xml;
        DeflatedPiece rows;
        QList<SheetColumn> columns;
    };
    void completeLast();

    QString m_path;
    QTemporaryFile m_rowsFile;
    std::vector<std::unique_ptr<Sheet>> m_sheets;
    bool m_macroEnabled = false;
    QString m_error;
};
