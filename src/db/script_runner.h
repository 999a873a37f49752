#pragma once
// Runs an update script: splits its lines into statements and executes them
// one by one, each committing on its own; failed statements are collected so
// that they can be written to an error file and fed back later.
#include <QString>
#include <QStringList>

struct ScriptResult {
    int executed = 0;
    int failed = 0;
    QStringList failedLines;  // the failed statements, each as its lines, ending in ";"
    QStringList errors;       // the database's message for each failed statement
};

// On `connection` (by default the connection the services follow).
ScriptResult RunScript(const QStringList& lines, bool stopOnError, const QString& connection = {});

// Runs the file when it exists and writes the failed statements beside it as
// name + "_ERROR_" + yyyymmddhhnnss + ".SQL". Shows nothing.
ScriptResult RunScriptFile(const QString& fileName, const QString& connection = {});

// A script or settings file's lines: UTF-8 when the bytes are valid UTF-8,
// otherwise Windows-1250.
QStringList ReadTextLines(const QByteArray& bytes, bool* wasUtf8 = nullptr);
