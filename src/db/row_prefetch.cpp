#include "db/row_prefetch.h"

#include "db/fb_cursor.h"

namespace {

constexpr qsizetype kBatchRows = 256;
constexpr size_t kBatchesAhead = 8;

}  // namespace

RowPrefetch::RowPrefetch(std::unique_ptr<FbCursor> cursor)
    : m_cursor(std::move(cursor)), m_columns(m_cursor->columnCount()) {
    m_thread = std::thread([this] { read(); });
}

RowPrefetch::~RowPrefetch() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void RowPrefetch::read() {
    for (;;) {
        Batch batch;
        batch.values.resize(kBatchRows * m_columns);
        batch.texts.resize(size_t(kBatchRows * m_columns));
        batch.textBytes.reserve(64 * 1024);
        std::exception_ptr failure;
        try {
            while (batch.rows < kBatchRows) {
                if (!m_cursor->fetch()) {
                    batch.last = true;
                    break;
                }
                const qsizetype first = batch.rows * m_columns;
                for (int c = 0; c < m_columns; ++c) {
                    std::string_view text;
                    if (m_cursor->text(c, text)) {
                        batch.texts[size_t(first + c)] = TextSpan{batch.textBytes.size(), qsizetype(text.size())};
                        batch.textBytes.append(text.data(), qsizetype(text.size()));
                    } else {
                        batch.values[first + c] = m_cursor->value(c);
                    }
                }
                ++batch.rows;
            }
        } catch (...) {
            // The rows before the failure are still handed over, then it.
            failure = std::current_exception();
            batch.last = true;
        }
        const bool last = batch.last;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return m_stopping || m_ready.size() < kBatchesAhead; });
            if (m_stopping) return;
            m_ready.push_back(std::move(batch));
            m_failure = failure;
        }
        m_changed.notify_all();
        if (last) return;
    }
}

QVariant RowPrefetch::value(int column) const {
    const qsizetype at = m_at * m_columns + column;
    const TextSpan& span = m_current.texts[size_t(at)];
    if (span.size < 0) return m_current.values.at(at);
    return QString::fromUtf8(m_current.textBytes.constData() + span.offset, span.size);
}

bool RowPrefetch::text(int column, std::string_view& utf8) const {
    const TextSpan& span = m_current.texts[size_t(m_at * m_columns + column)];
    if (span.size < 0) return false;
    utf8 = std::string_view(m_current.textBytes.constData() + span.offset, size_t(span.size));
    return true;
}

bool RowPrefetch::next() {
    if (m_at + 1 < m_current.rows) {
        ++m_at;
        return true;
    }
    if (m_current.last) {
        std::lock_guard lock(m_mutex);
        if (m_failure) std::rethrow_exception(m_failure);
        return false;
    }
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_ready.empty(); });
        m_current = std::move(m_ready.front());
        m_ready.pop_front();
    }
    m_changed.notify_all();
    m_at = 0;
    if (m_current.rows > 0) return true;
    return next();  // an empty last batch: the end, or the failure
}
