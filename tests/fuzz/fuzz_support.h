#pragma once
// Shared by the fuzz targets: the readers under test take file paths, so
// each input is written to a file in a folder of this process's own.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

inline const QTemporaryDir& FuzzDir() {
    static QTemporaryDir dir;
    return dir;
}

// The path of `name` in the process's folder, holding `bytes`.
inline QString WriteFuzzFile(const QString& name, const QByteArray& bytes) {
    const QString path = FuzzDir().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

inline QByteArray FuzzBytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A broken promise of the code under test: stops the run like a crash, so
// libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)
