#pragma once
// A text file as the text editor shows it: read as UTF-8 when it is valid
// UTF-8, otherwise as Windows-1250, and written back the same way with the
// workstation's line ends (CR LF after every line).
#include <QString>

struct TextFile {
    QString text;       // lines separated by "\n"
    bool utf8 = true;   // the file's encoding; a new file is UTF-8
};

// False when the file does not exist or cannot be read; `file` is then empty.
bool LoadTextFile(const QString& path, TextFile& file);
bool SaveTextFile(const QString& path, const TextFile& file);
