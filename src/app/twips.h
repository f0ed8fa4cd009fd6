#pragma once

#include <QRect>
#include <cmath>

// Positions and sizes of the window are kept in twips, as the paper form's screen layout
// gives them: 15 twips a pixel, times one factor so that CJK captions fit their boxes.
namespace Twips {

constexpr double Scale = 1.2;

inline int px(double twips)
{
    return int(std::lround(twips * Scale / 15.0));
}
inline double fromPx(int pixels)
{
    return pixels * 15.0 / Scale;
}
inline QRect rect(double left, double top, double width, double height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

} // namespace Twips
