#pragma once

#include <glimmer/glimmer_export.h>

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

namespace glimmer {

/// Where a button's caption and picture go.
struct CaptionLayout {
    QRect text;        ///< the caption's measured rectangle
    int wrapWidth = 0; ///< the width the caption was wrapped in (draw it wrapped in the same width)
    QRect picture;     ///< the picture's rectangle (empty without a picture)

    /// Lays out caption and picture in a client area.
    /// @param client the client size (Wi, He)
    /// @param font the caption font
    /// @param caption the caption, "&" marking the access key
    /// @param picture the picture's size in pixels (empty: no picture)
    /// @param position PicPositions value: 0 left, 1 right, 2 top, 3 bottom, 4 background
    static CaptionLayout compute(QSize client, const QFont& font, const QString& caption,
                                 QSize picture, int position);

    /// The access key of a caption in lower case: the character after the first single "&"
    /// ("&&" stands for a literal ampersand); a null character when there is none.
    static QChar accessKey(const QString& caption);
};

} // namespace glimmer
