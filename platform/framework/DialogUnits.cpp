#include "platform/framework/DialogUnits.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <cstdint>
#include <cstdlib>

namespace platform {

QFont DialogFont(const char* faceName, int pointSize)
{
    const QString face = QString::fromUtf8(faceName ? faceName : "");
    QFont font;
    if (face.isEmpty() || face == QLatin1String("MS Sans Serif") || face == QLatin1String("MS Shell Dlg") ||
        face == QLatin1String("MS Shell Dlg 2")) {
        // Fontconfig resolves the generic name to the desktop's sans-serif face.
        font.setFamily(QStringLiteral("sans-serif"));
        font.setStyleHint(QFont::SansSerif);
    } else {
        font.setFamily(face);
    }
    font.setPointSize(pointSize > 0 ? pointSize : 8);
    return font;
}

DialogBaseUnits MeasureBaseUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int width =
        metrics.horizontalAdvance(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    return DialogBaseUnits{(width / 26 + 1) / 2, metrics.ascent() + metrics.descent()};
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::llabs(product) + std::llabs(c) / 2) / std::llabs(c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

QRect MapDialogRect(const QRect& units, const DialogBaseUnits& base)
{
    const int left = MulDiv(units.left(), base.cx, 4);
    const int top = MulDiv(units.top(), base.cy, 8);
    const int width = MulDiv(units.width(), base.cx, 4);
    const int height = MulDiv(units.height(), base.cy, 8);
    return QRect(left, top, width, height);
}

} // namespace platform
