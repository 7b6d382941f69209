#include "controls/CaptionLayout.h"

#include "controls/ButtonPainter.h"

#include <QFontMetrics>

namespace glimmer {

CaptionLayout CaptionLayout::compute(QSize client, const QFont& font, const QString& caption,
                                     QSize picture, int position) {
    CaptionLayout out;
    const int wi = client.width();
    const int he = client.height();
    const bool hasPicture = !picture.isEmpty();
    const bool beside = hasPicture && !caption.isEmpty() && position != 4;

    // Room for the text: the client less one pixel left and top and two right and bottom, less
    // the picture beside or above/below it.
    int availW = wi - 3;
    int availH = he - 3;
    if (beside && (position == 0 || position == 1))
        availW -= picture.width();
    if (beside && (position == 2 || position == 3))
        availH -= picture.height();

    if (!caption.isEmpty()) {
        const QFontMetrics fm(font);
        const QRect measured = fm.boundingRect(QRect(0, 0, qMax(availW, 1), qMax(availH, 1)),
                                               ButtonPainter::captionFlags(), caption);
        const int tw = measured.width();
        const int th = measured.height();
        const int spanW = (beside && position == 1) ? wi - picture.width() - 4 : wi;
        const int spanH = (beside && position == 3) ? he - picture.height() - 4 : he;
        out.text = QRect((spanW - tw) / 2, (spanH - th) / 2, tw, th);
        out.wrapWidth = qMax(availW, tw);
    }

    if (hasPicture) {
        const int pw = picture.width();
        const int ph = picture.height();
        int px = (wi - pw) / 2;
        int py = (he - ph) / 2;
        if (beside) {
            switch (position) {
            case 0:
                px = out.text.left() - 4 - pw;
                break;
            case 1:
                px = out.text.left() + out.text.width() + 4;
                break;
            case 2:
                py = out.text.top() - 2 - ph;
                break;
            case 3:
                py = out.text.top() + out.text.height() + 2;
                break;
            default:
                break;
            }
        }
        out.picture = QRect(px, py, pw, ph);
    }
    return out;
}

QChar CaptionLayout::accessKey(const QString& caption) {
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) == QLatin1Char('&')) {
            ++i; // a literal ampersand
            continue;
        }
        return caption.at(i + 1).toLower();
    }
    return QChar();
}

} // namespace glimmer
