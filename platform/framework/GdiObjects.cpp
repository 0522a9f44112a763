#include "platform/framework/GdiObjects.h"

#include <QFontMetrics>

// GDI draws a geometric solid pen with round ends and joins; width 0 is one pixel.
CPen::CPen(int /*style*/, int width, COLORREF color)
    : m_pen(ToQColor(color), width < 1 ? 1 : width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
{}

bool CFont::CreateFont(int height, int width, int /*escapement*/, int /*orientation*/, int weight,
                       bool italic, bool underline, bool strikeOut, int /*charSet*/, int /*outPrecision*/,
                       int /*clipPrecision*/, int /*quality*/, int /*pitchAndFamily*/, const char* faceName)
{
    QFont font(QString::fromUtf8(faceName));
    // Unknown faces map to the desktop's sans-serif, as GDI's font mapper falls back.
    font.setStyleHint(QFont::SansSerif, QFont::PreferMatch);
    font.setWeight(static_cast<QFont::Weight>(qBound(100, weight, 900)));
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    const int cell = height < 0 ? -height : height;
    if (cell > 0) {
        // A positive height is the whole cell; shrink the pixel size until the cell fits.
        int pixels = cell;
        font.setPixelSize(pixels);
        while (pixels > 1 && height > 0 && QFontMetrics(font).height() > cell)
            font.setPixelSize(--pixels);
    }
    if (width > 0) {
        // The average width as GDI measures it: the mean advance of the 52 Latin letters.
        const QFontMetricsF metrics(font);
        const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
        const qreal natural = metrics.horizontalAdvance(letters) / letters.size();
        if (natural > 0)
            font.setStretch(qBound(1, qRound(width * 100 / natural), 4000));
    }
    m_font = font;
    return true;
}

QFont DefaultDeviceFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(12);
    return font;
}
