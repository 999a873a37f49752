#pragma once
// What the export tests share: the user's side of messages and questions,
// and reading written files back.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <ostream>

#include "db/ui_hooks.h"
#include "export/ask_file_name.h"

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

// Collects the notices and answers the questions as the test says; the
// defaults without a window come back when it goes.
class UserSide {
public:
    UserSide() {
        SaveDialog() = SaveDialogState();
        UiHooks::setMessage([this](const QString& text) { messages << text; });
        UiHooks::setDialog([this](const QString& text, int, const QStringList&) {
            questions << text;
            return answer;
        });
    }
    ~UserSide() {
        UiHooks::setMessage(nullptr);
        UiHooks::setDialog(nullptr);
        SetSaveDialog(nullptr);
        SaveDialog() = SaveDialogState();
    }
    // The user of the save dialog: types `name`, picks the kind `filter`
    // (1-based); an empty name cancels.
    void choosesFile(const QString& name, int filter) {
        SetSaveDialog([this, name, filter](SaveDialogState& state) {
            dialogShown << state.fileName;
            dialogFilters << state.filterIndex;
            if (name.isEmpty()) return false;
            state.fileName = name;
            state.filterIndex = filter;
            return true;
        });
    }

    QStringList messages;
    QStringList questions;
    QStringList dialogShown;     // the name the dialog proposed each time
    QList<int> dialogFilters;    // the kind it proposed
    int answer = 1;              // " Nem "
};

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
