#pragma once
// Rows of a database cursor read ahead on a thread of their own, in batches,
// while the writer formats the rows before them: on two cores the reading
// and the writing of a long list overlap.
#include <QList>
#include <QVariant>

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

class FbCursor;

class RowPrefetch {
public:
    explicit RowPrefetch(std::unique_ptr<FbCursor> cursor);
    // Stops the reading thread, wherever it is.
    ~RowPrefetch();
    RowPrefetch(const RowPrefetch&) = delete;
    RowPrefetch& operator=(const RowPrefetch&) = delete;

    // Moves to the following row; false after the last one. Throws what
    // reading the rows threw (DbError).
    bool next();
    // A value of the current row.
    QVariant value(int column) const;
    // A text value of the current row in UTF-8; false for NULL and other types.
    bool text(int column, std::string_view& utf8) const;

private:
    struct TextSpan {
        qsizetype offset = 0;
        qsizetype size = -1;  // -1: the value is in `values`
    };
    struct Batch {
        QList<QVariant> values;  // row after row
        // Texts stay in UTF-8, as they came, until someone asks for a QString.
        std::vector<TextSpan> texts;
        QByteArray textBytes;
        qsizetype rows = 0;
        bool last = false;       // no rows follow
    };
    void read();

    std::unique_ptr<FbCursor> m_cursor;
    qsizetype m_columns;
    Batch m_current;
    qsizetype m_at = -1;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Batch> m_ready;
    std::exception_ptr m_failure;
    bool m_stopping = false;
    std::thread m_thread;
};
