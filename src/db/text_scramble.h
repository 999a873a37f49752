#pragma once
// Values kept in the system database that should not be readable at a glance
// (the FTP host, user and password of SZISZTEM) are stored scrambled: the
// UTF-8 bytes XOR-ed with a fixed key and the byte's position, written as
// upper-case hexadecimal. The result is plain ASCII, twice the byte length of
// the text, so it fits an ordinary VARCHAR column. This hides a value from a
// casual look; it is not encryption.
#include <QString>

QString ScrambleText(const QString& text);
// A text that is not a scrambled value (odd length, not hexadecimal, not
// UTF-8 once unscrambled) gives the empty text.
QString UnscrambleText(const QString& scrambled);
