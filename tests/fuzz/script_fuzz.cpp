// The update-script splitter: any bytes as script lines, split into
// statements. The statements go to a connection without a driver, so each
// one fails at once and nothing needs a database.
#include <QSqlDatabase>
#include <QtGlobal>

#include "db/script_runner.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // One line per failed statement would drown the fuzzer's own output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    QSqlDatabase::addDatabase(QStringLiteral("NO_SUCH_DRIVER"), QStringLiteral("fuzz"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList lines = ReadTextLines(FuzzBytes(data, size));
    for (bool stopOnError : {false, true}) {
        const ScriptResult result = RunScript(lines, stopOnError, QStringLiteral("fuzz"));
        FUZZ_CHECK(result.executed == 0);
        FUZZ_CHECK(result.failed == result.errors.size());
        FUZZ_CHECK(!stopOnError || result.failed <= 1);
    }
    return 0;
}
