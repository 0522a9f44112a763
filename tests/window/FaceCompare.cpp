// Compares a screenshot of the real window's client area with the offscreen paint of the
// face at each second of a range: passes when one of them matches where the view sits and the
// whole digital time is inside the client.
#include "tests/support/ViewHarness.h"
#include "view/QuillonView.h"

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

QImage Paint(std::int64_t when)
{
    CQuillonView view;
    const auto t = static_cast<std::time_t>(when);
    std::tm local{};
    localtime_r(&t, &local);
    return testsupport::PaintFace(view, local.tm_hour, local.tm_min, local.tm_sec);
}

bool Inside(const CRect& r, int x, int y)
{
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Pixels that differ between the face and the shot placed at (0, top), over the visible part.
// A tick repaints only the dial and the digital band; outside them the screen may still hold a
// hand's round end from an earlier full paint, or miss one that the current paint puts
// there, which is what the window really shows.
int Differences(const QImage& shot, const QImage& face, int top)
{
    static const CQuillonView geometry;
    static const QRgb hands[] = {qRgb(100, 200, 200), qRgb(0, 160, 160), qRgb(0, 150, 150)};
    int differing = 0;
    for (int y = top; y < shot.height() && y - top < face.height(); ++y)
        for (int x = 0; x < shot.width() && x < face.width(); ++x) {
            const QRgb seen = shot.pixel(x, y) | 0xFF000000u;
            const QRgb painted = face.pixel(x, y - top) | 0xFF000000u;
            if (seen == painted)
                continue;
            const bool refreshed =
                Inside(geometry.m_dialRect, x, y - top) || Inside(geometry.m_digitalRect, x, y - top);
            const auto isHand = [&](QRgb c) {
                return std::find(std::begin(hands), std::end(hands), c) != std::end(hands);
            };
            if (!refreshed && (isHand(seen) || isHand(painted)))
                continue;
            ++differing;
        }
    return differing;
}

// The digital time as painted: its yellow digits on their black box, inside the time band.
QRect DigitsBox(const QImage& face)
{
    constexpr int kBandTop = 104, kBandBottom = 148; // inside the band's outline
    QRect box;
    for (int y = kBandTop; y <= kBandBottom; ++y)
        for (int x = 0; x < face.width(); ++x)
            if (const QRgb c = face.pixel(x, y) | 0xFF000000u; c == qRgb(0, 0, 0) || c == qRgb(255, 255, 0))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: face_compare SHOT.png FIRST_UNIX_TIME LAST_UNIX_TIME\n");
        return 2;
    }
    const QImage shot = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    if (shot.isNull())
        return 2;
    const std::int64_t first = std::strtoll(argv[2], nullptr, 10);
    const std::int64_t last = std::strtoll(argv[3], nullptr, 10);
    int best = -1;
    std::int64_t bestWhen = first;
    int bestTop = 0;
    for (std::int64_t when = first; when <= last; ++when) {
        const QImage face = Paint(when);
        // The view sits below the menu bar and the toolbar; its top is found by the match.
        for (int top = 0; top < shot.height() / 2; ++top) {
            const int differing = Differences(shot, face, top);
            if (best < 0 || differing < best) {
                best = differing;
                bestWhen = when;
                bestTop = top;
            }
            if (differing == 0) {
                // A match over a cut window proves nothing of what the window fails to show.
                const QRect digits = DigitsBox(face);
                if (top + digits.bottom() >= shot.height() || digits.right() >= shot.width()) {
                    std::printf("face matches at view top %d, but the digital time (to row %d, column %d) "
                                "is outside the %dx%d client\n",
                                top, top + digits.bottom(), digits.right(), shot.width(), shot.height());
                    return 1;
                }
                std::printf("face matches at view top %d; the digital time ends at row %d of %d\n", top,
                            top + digits.bottom(), shot.height());
                return 0;
            }
        }
    }
    std::printf("closest match differs in %d pixels, view top %d\n", best, bestTop);
    const QImage face = Paint(bestWhen);
    for (int y = bestTop; y < shot.height() && y - bestTop < face.height(); ++y)
        for (int x = 0; x < shot.width() && x < face.width(); ++x)
            if ((shot.pixel(x, y) | 0xFF000000u) != (face.pixel(x, y - bestTop) | 0xFF000000u) && best <= 50)
                std::printf("  (%d,%d) screen %08x paint %08x\n", x, y - bestTop, shot.pixel(x, y),
                            face.pixel(x, y - bestTop));
    return 1;
}
