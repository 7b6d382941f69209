#include "app/staff/StaffPdf.h"

#include "app/staff/StaffPageImage.h"
#include "base/AtomicFile.h"
#include "interchange/AbcEngraver.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>

namespace notaro::app {

namespace {

/// A4 in pixels at 96 to the inch, the engraver's unit.
constexpr double kA4Width = 210 / 25.4 * 96;
constexpr double kA4Height = 297 / 25.4 * 96;
constexpr int kPixelsPerInch = 96;

} // namespace

StaffPdfResult writeStaffPdf(const interchange::AbcTune& tune, const std::string& path) {
    interchange::EngraveOptions options;
    options.pageWidth = kA4Width;
    options.pageHeight = kA4Height;
    options.margin = 48;
    const interchange::StaffEngraving e = interchange::engraveAbc(tune, options);
    if (e.status == interchange::EngraveStatus::Missing)
        return StaffPdfResult::EngraverMissing;
    if (e.status != interchange::EngraveStatus::Done || e.pages.empty())
        return StaffPdfResult::Failed;
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(kPixelsPerInch);
        pdf.setCreator(QStringLiteral("notaro"));
        QPainter painter(&pdf);
        const double width = painter.viewport().width();
        for (size_t p = 0; p < e.pages.size(); ++p) {
            if (p > 0)
                pdf.newPage();
            const interchange::StaffPage& page = e.pages[p];
            const double scale = page.width > 0 ? width / page.width : 1;
            drawStaffPage(page, painter, QRectF(0, 0, page.width * scale, page.height * scale));
        }
    }
    return base::writeFileAtomically(path, std::string_view(bytes.constData(), bytes.size())) == 0
               ? StaffPdfResult::Written
               : StaffPdfResult::Failed;
}

} // namespace notaro::app
