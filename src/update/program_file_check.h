#pragma once
// Checks on a downloaded program file before it may take the place of the
// running program: that it is a whole ELF executable built for this machine
// (a cut-off download or a file for another system is refused), and its
// SHA-256 digest, which the update server may announce.
#include <QString>

// Empty when `path` is a complete ELF executable (or shared-object
// executable) of this machine's class, byte order and processor; otherwise
// the Hungarian reason.
QString ProgramFileProblem(const QString& path);

// The lower-case hexadecimal SHA-256 digest of the file; empty when it
// cannot be read.
QString FileSha256(const QString& path);
