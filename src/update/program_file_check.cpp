#include "program_file_check.h"

#include <QFile>
#include <elf.h>
#include <sodium.h>

#include <cstring>

namespace {

QByteArray readAt(QFile& file, qint64 offset, qint64 length) {
    if (offset < 0 || length < 0 || offset + length > file.size() || !file.seek(offset)) return {};
    return file.read(length);
}

// The identification bytes and processor of the running program: a program
// for this machine must match them.
struct MachineId {
    unsigned char elfClass = 0, byteOrder = 0;
    quint16 machine = 0;
};

MachineId thisMachine() {
    static const MachineId id = [] {
        MachineId m;
        QFile self(QStringLiteral("/proc/self/exe"));
        if (!self.open(QIODevice::ReadOnly)) return m;
        const QByteArray head = self.read(EI_NIDENT + 4);
        if (head.size() < EI_NIDENT + 4) return m;
        m.elfClass = static_cast<unsigned char>(head[EI_CLASS]);
        m.byteOrder = static_cast<unsigned char>(head[EI_DATA]);
        std::memcpy(&m.machine, head.constData() + EI_NIDENT + 2, sizeof m.machine);  // after e_type
        return m;
    }();
    return id;
}

template <typename Ehdr, typename Phdr>
QString layoutProblem(QFile& file) {
    const QString incomplete = QStringLiteral("a fájl nem teljes (csonka letöltés)");
    const QByteArray headBytes = readAt(file, 0, sizeof(Ehdr));
    if (headBytes.size() != qsizetype(sizeof(Ehdr))) return incomplete;
    Ehdr head;
    std::memcpy(&head, headBytes.constData(), sizeof head);
    if (head.e_machine != thisMachine().machine) return QStringLiteral("a program más processzorra készült");
    if (head.e_type != ET_EXEC && head.e_type != ET_DYN) return QStringLiteral("a fájl nem futtatható program");
    if (head.e_phnum == 0 || head.e_phentsize != sizeof(Phdr)) return QStringLiteral("a fájl nem futtatható program");

    const qint64 size = file.size();
    const qint64 programHeadersEnd = qint64(head.e_phoff) + qint64(head.e_phnum) * head.e_phentsize;
    if (qint64(head.e_phoff) > size || programHeadersEnd > size) return incomplete;
    if (head.e_shoff != 0 && qint64(head.e_shoff) + qint64(head.e_shnum) * head.e_shentsize > size) return incomplete;

    bool interpreter = false;
    const QByteArray table = readAt(file, head.e_phoff, programHeadersEnd - qint64(head.e_phoff));
    for (int i = 0; i < head.e_phnum; ++i) {
        Phdr segment;
        std::memcpy(&segment, table.constData() + i * sizeof(Phdr), sizeof segment);
        if (qint64(segment.p_offset) + qint64(segment.p_filesz) > size) return incomplete;
        if (segment.p_type == PT_INTERP) interpreter = true;
    }
    // A shared library is ET_DYN too; a position-independent program names its loader.
    if (head.e_type == ET_DYN && !interpreter) return QStringLiteral("a fájl nem futtatható program");
    return {};
}

}  // namespace

QString ProgramFileProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("a fájl nem olvasható");
    const QByteArray ident = readAt(file, 0, EI_NIDENT);
    if (ident.size() != EI_NIDENT || std::memcmp(ident.constData(), ELFMAG, SELFMAG) != 0)
        return QStringLiteral("a fájl nem futtatható program");
    const MachineId machine = thisMachine();
    if (static_cast<unsigned char>(ident[EI_CLASS]) != machine.elfClass
        || static_cast<unsigned char>(ident[EI_DATA]) != machine.byteOrder)
        return QStringLiteral("a program más processzorra készült");
    if (machine.elfClass == ELFCLASS64) return layoutProblem<Elf64_Ehdr, Elf64_Phdr>(file);
    return layoutProblem<Elf32_Ehdr, Elf32_Phdr>(file);
}

QString FileSha256(const QString& path) {
    if (sodium_init() < 0) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    crypto_hash_sha256_state state;
    crypto_hash_sha256_init(&state);
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(1 << 20);
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError) return {};
        crypto_hash_sha256_update(&state, reinterpret_cast<const unsigned char*>(chunk.constData()),
                                  static_cast<unsigned long long>(chunk.size()));
    }
    unsigned char digest[crypto_hash_sha256_BYTES];
    crypto_hash_sha256_final(&state, digest);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(digest), sizeof digest).toHex());
}
