#include "report_painter.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include "db/work_file.h"

namespace {

// The painter works in hundredths of a millimetre.
constexpr double Unit = 100;
constexpr double PointInUnits = 25.4 / 72 * Unit;
constexpr double TextPadding = 0.5 * Unit;
constexpr double LineWidth = 0.2 * Unit;

class FontCache {
public:
    explicit FontCache(const ReportLayout& layout) : m_family(layout.fontFamily()), m_size(layout.fontSize()) {}

    const QFont& font(const ReportField& field) {
        const double size = field.fontSize > 0 ? field.fontSize : m_size;
        const int key = qRound(size * 10) * 4 + (field.isBold ? 1 : 0) + (field.isItalic ? 2 : 0);
        auto found = m_fonts.find(key);
        if (found != m_fonts.end()) return *found;
        QFont font(m_family);
        font.setStyleHint(QFont::SansSerif);
        // Unhinted glyphs keep text widths the same at every zoom and on paper.
        font.setHintingPreference(QFont::PreferNoHinting);
        font.setPixelSize(qMax(1, qRound(size * PointInUnits)));
        font.setBold(field.isBold);
        font.setItalic(field.isItalic);
        return *m_fonts.insert(key, font);
    }

private:
    QString m_family;
    double m_size;
    QHash<int, QFont> m_fonts;
};

void drawFrame(QPainter& painter, const QRectF& r, int sides) {
    if (sides & Frame::Top) painter.drawLine(r.topLeft(), r.topRight());
    if (sides & Frame::Bottom) painter.drawLine(r.bottomLeft(), r.bottomRight());
    if (sides & Frame::Left) painter.drawLine(r.topLeft(), r.bottomLeft());
    if (sides & Frame::Right) painter.drawLine(r.topRight(), r.bottomRight());
}

// The picture at the box's top left, as large as the box allows without
// changing its proportions.
void drawPicture(QPainter& painter, const QRectF& box, const QString& file, QHash<QString, QImage>& pictures) {
    auto found = pictures.find(file);
    if (found == pictures.end()) found = pictures.insert(file, QImage(file));
    const QImage& image = *found;
    if (image.isNull()) return;
    QSizeF size = image.size();
    size.scale(box.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRectF(box.topLeft(), size), image);
}

}  // namespace

void PaintReportPage(QPainter& painter, const ReportDocument& document, int index, double dotsPerMm) {
    const ReportLayout& layout = document.layout();
    painter.save();
    painter.scale(dotsPerMm / Unit, dotsPerMm / Unit);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QPen linePen(Qt::black, LineWidth, Qt::SolidLine, Qt::FlatCap);
    const double left = layout.leftMargin() * Unit;
    const double width = layout.contentWidth() * Unit;
    FontCache fonts(layout);
    QHash<QString, QImage> pictures;

    for (const PlacedBand& placed : document.page(index)) {
        const ReportBand& band = *placed.band;
        const double top = placed.top * Unit;
        painter.setPen(linePen);
        drawFrame(painter, QRectF(left, top, width, band.height * Unit), band.frames);

        for (const PlacedField& field : placed.fields) {
            if (!field.visible) continue;
            const ReportField& def = *field.field;
            const QRectF box(left + def.x * Unit, top + band.fieldTop(def) * Unit, def.width * Unit,
                             band.fieldHeight(def) * Unit);
            if (def.frames != Frame::None) {
                painter.setPen(linePen);
                drawFrame(painter, box, def.frames);
            }
            if (def.source == FieldSource::Picture) {
                drawPicture(painter, box, def.caption, pictures);
                continue;
            }
            if (field.text.isEmpty()) continue;
            painter.setFont(fonts.font(def));
            painter.setPen(field.colour);
            painter.drawText(box.adjusted(TextPadding, 0, -TextPadding, 0),
                             int(def.alignment) | Qt::AlignVCenter | Qt::TextSingleLine, field.text);
        }
    }
    painter.restore();
}

QPageLayout ReportPageLayout(const ReportLayout& layout) {
    return QPageLayout(QPageSize(QPageSize::A4), layout.landscape() ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Millimeter);
}

int WriteReportPdf(const ReportDocument& document, const QString& path, const ReportProgress& progress) {
    WorkFile file(path);
    if (!file.open()) return 0;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(ReportPageLayout(document.layout()));
        writer.setResolution(600);
        writer.setTitle(document.layout().title());
        writer.setCreator(QStringLiteral("Tarvedo"));
        QPainter painter;
        if (!painter.begin(&writer)) return 0;
        const double dotsPerMm = writer.resolution() / 25.4;
        for (int i = 0; i < document.pageCount(); ++i) {
            if (i > 0) writer.newPage();
            PaintReportPage(painter, document, i, dotsPerMm);
            if (progress && (i % 16 == 15 || i + 1 == document.pageCount())) progress(i + 1, document.pageCount());
        }
        if (!painter.end()) return 0;
    }
    return file.commit() ? document.pageCount() : 0;
}

int RenderToPdf(const ReportLayout& layout, ExportSource& rows, const QString& path, const ReportRunOptions& options) {
    return WriteReportPdf(LayOutReport(layout, rows, options), path);
}
