#pragma once
// Every layout figure of the program is given in twips; this is the one place
// that turns them into device-independent pixels (15 twips = 1 px at 96 dpi).

#include <QRect>
#include <cmath>

namespace Twips {

constexpr int PerPixel = 15;

inline int Px(int twips)
{
    return int(std::lround(double(twips) / PerPixel));
}

// Edges are converted rather than sizes, so that neighbours laid out edge to edge
// in twips stay edge to edge in pixels.
inline QRect PxRect(int left, int top, int width, int height)
{
    const int l = Px(left);
    const int t = Px(top);
    return QRect(l, t, Px(left + width) - l, Px(top + height) - t);
}

inline QRect PxRect(const QRect &twips)
{
    return PxRect(twips.x(), twips.y(), twips.width(), twips.height());
}

inline QSize PxSize(int width, int height)
{
    return QSize(Px(width), Px(height));
}

} // namespace Twips
