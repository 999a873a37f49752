#include "source_cells.h"

#include <algorithm>

namespace {

bool before(const SourceCell& cell, int column) { return cell.column < column; }

}  // namespace

void SourceCells::set(int column, const QString& text, bool number) {
    // Cells mostly come in column order: appending is the common case.
    if (m_cells.isEmpty() || m_cells.last().column < column) {
        if (!text.isEmpty()) m_cells.append(SourceCell{column, number, text});
        return;
    }
    const auto at = std::lower_bound(m_cells.begin(), m_cells.end(), column, before);
    const bool present = at != m_cells.end() && at->column == column;
    if (text.isEmpty()) {
        if (present) m_cells.erase(at);
    } else if (present) {
        *at = SourceCell{column, number, text};
    } else {
        m_cells.insert(at, SourceCell{column, number, text});
    }
}

const SourceCell* SourceCells::find(int column) const {
    const auto found = std::lower_bound(m_cells.cbegin(), m_cells.cend(), column, before);
    return found != m_cells.cend() && found->column == column ? &*found : nullptr;
}

QString SourceCells::at(int column) const {
    const SourceCell* cell = find(column);
    return cell ? cell->text : QString();
}

bool SourceCells::isNumber(int column) const {
    const SourceCell* cell = find(column);
    return cell && cell->number;
}
