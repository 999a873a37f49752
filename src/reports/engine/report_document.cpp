#include "report_document.h"

#include <QMap>
#include <QStringEncoder>
#include <algorithm>
#include <cstring>

#include "field_text.h"
#include "report_print.h"

namespace {

// How a field's text is kept on the page: a text (UTF-8, ended by a 0 byte),
// a number under the field's mask (8 bytes, formatted when read), or the
// field's caption from the layout (nothing).
namespace Tag {
constexpr char Text = 'T', Number = 'N', Caption = 'C';
}

void appendText(QByteArray& buffer, QStringEncoder& utf8, const QString& text) {
    // Encoded straight into the page's buffer: no bytes of its own per field.
    buffer += Tag::Text;
    const qsizetype at = buffer.size();
    buffer.resize(at + utf8.requiredSpace(text.size()) + 1);
    char* end = utf8.appendToBuffer(buffer.data() + at, text);
    *end++ = '\0';
    buffer.truncate(end - buffer.constData());
}

// A field whose colour or visibility a hook changed, on one printed band.
struct FieldChange {
    quint32 band;   // index of the printed band on its page
    quint16 field;  // index of the field in the band
    bool hidden;
    QRgb colour;
};

struct Placement {
    quint16 band;        // layout band number
    qint32 top;          // tenths of a millimetre from the top of the paper
    quint32 text;        // offset of the band's field texts in the page buffer
};

struct Page {
    std::vector<Placement> bands;
    QByteArray text;  // each field's tag and text or number, field after field
    std::vector<FieldChange> changes;
};

}  // namespace

struct ReportDocument::Data {
    ReportLayout layout;
    std::vector<Page> pages;
    qint64 rows = 0;
    QStringEncoder utf8{QStringEncoder::Utf8};
    // Per band number: its fields' indexes grouped into text lines (top to
    // bottom), each line in x order. Built once, on the first text request.
    mutable std::vector<std::vector<std::vector<int>>> textLines;
};

ReportDocument::ReportDocument() : d(std::make_shared<Data>()) {}

ReportDocument::ReportDocument(const ReportLayout& layout) : d(std::make_shared<Data>()) { d->layout = layout; }

const ReportLayout& ReportDocument::layout() const { return d->layout; }

ReportLayout& ReportDocument::editableLayout() { return d->layout; }

int ReportDocument::pageCount() const { return int(d->pages.size()); }

qint64 ReportDocument::rowCount() const { return d->rows; }

void ReportDocument::setRowCount(qint64 rows) { d->rows = rows; }

void ReportDocument::startPage() {
    if (!d->pages.empty()) {
        // A finished page keeps no spare room: there may be tens of thousands.
        Page& last = d->pages.back();
        last.text.squeeze();
        last.bands.shrink_to_fit();
        last.changes.shrink_to_fit();
    }
    d->pages.emplace_back();
}

void ReportDocument::place(int bandId, int topTenthMm, const std::vector<FieldPrint>& fields) {
    Page& page = d->pages.back();
    const quint32 bandIndex = quint32(page.bands.size());
    page.bands.push_back({quint16(bandId), topTenthMm, quint32(page.text.size())});
    QStringEncoder& utf8 = d->utf8;
    for (size_t i = 0; i < fields.size(); ++i) {
        const FieldPrint& print = fields[i];
        const ReportField& field = print.field();
        const QVariant& value = print.value();
        if (!print.visible()) {
            page.text += Tag::Text;
            page.text += '\0';
        } else if (print.m_textSet) {
            appendText(page.text, utf8, print.text());
        } else if (field.source == FieldSource::Label) {
            page.text += Tag::Caption;
        } else if (!field.displayMask.isEmpty() && !value.isNull() && IsNumberValue(value)) {
            const double x = value.toDouble();
            page.text += Tag::Number;
            page.text.append(reinterpret_cast<const char*>(&x), sizeof x);
        } else if (field.displayMask.isEmpty() && field.textPrefix.isEmpty()
                   && value.metaType().id() == QMetaType::QString) {
            appendText(page.text, utf8, *static_cast<const QString*>(value.constData()));  // prints as it stands
        } else {
            appendText(page.text, utf8, print.text());
        }
        if (!print.visible() || print.m_colourSet)
            page.changes.push_back({bandIndex, quint16(i), !print.visible(), print.color().rgba()});
    }
}

std::vector<PlacedBand> ReportDocument::page(int index) const {
    std::vector<PlacedBand> placed;
    if (index < 0 || index >= pageCount()) return placed;
    const Page& page = d->pages[index];
    placed.reserve(page.bands.size());
    auto change = page.changes.begin();
    for (size_t b = 0; b < page.bands.size(); ++b) {
        const Placement& at = page.bands[b];
        PlacedBand& band = placed.emplace_back();
        band.band = d->layout.band(at.band);
        band.top = at.top / 10.0;
        band.fields.resize(band.band->fields.size());
        const char* text = page.text.constData() + at.text;
        for (size_t f = 0; f < band.fields.size(); ++f) {
            PlacedField& field = band.fields[f];
            field.field = &band.band->fields[f];
            const char tag = *text++;
            if (tag == Tag::Caption) {
                field.text = field.field->caption;
            } else if (tag == Tag::Number) {
                double x;
                memcpy(&x, text, sizeof x);
                text += sizeof x;
                field.text = FieldText(*field.field, x);
            } else {
                const size_t length = qstrlen(text);
                field.text = QString::fromUtf8(text, qsizetype(length));
                text += length + 1;
            }
            field.colour = field.field->colour;
            for (; change != page.changes.end() && change->band == b && change->field == f; ++change) {
                field.visible = !change->hidden;
                field.colour = QColor::fromRgba(change->colour);
            }
        }
    }
    return placed;
}

QStringList ReportDocument::pageText(int index) const {
    if (index < 0 || index >= pageCount()) return {};
    if (d->textLines.empty()) {
        d->textLines.resize(d->layout.bandIdLimit());
        for (int id = 0; id < d->layout.bandIdLimit(); ++id) {
            const ReportBand* band = d->layout.band(id);
            if (!band) continue;
            QMap<int, std::vector<int>> byTop;  // tenths of a millimetre
            for (int f = 0; f < int(band->fields.size()); ++f)
                byTop[qRound(band->fieldTop(band->fields[f]) * 10)].push_back(f);
            for (std::vector<int>& line : byTop) {
                std::stable_sort(line.begin(), line.end(),
                                 [band](int a, int b) { return band->fields[a].x < band->fields[b].x; });
                d->textLines[id].push_back(line);
            }
        }
    }

    QStringList lines;
    const QString separator = QString::fromLatin1(ReportTextSeparator);
    const Page& source = d->pages[index];
    const std::vector<PlacedBand> placed = page(index);
    for (size_t b = 0; b < placed.size(); ++b) {
        for (const std::vector<int>& line : d->textLines[source.bands[b].band]) {
            QString text;
            for (size_t i = 0; i < line.size(); ++i) {
                if (i > 0) text += separator;
                const PlacedField& field = placed[b].fields[line[i]];
                if (field.visible) text += field.text;
            }
            lines << text;
        }
    }
    return lines;
}

QStringList ReportDocument::text() const {
    QStringList lines;
    for (int i = 0; i < pageCount(); ++i) {
        if (i > 0) lines << QStringLiteral("\f");
        lines += pageText(i);
    }
    return lines;
}
