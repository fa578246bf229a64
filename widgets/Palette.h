#pragma once

#include <QColor>

// The named colours the windows are painted in.
namespace Palette {

inline const QColor Black{0, 0, 0};
inline const QColor White{255, 255, 255};
inline const QColor Navy{0, 0, 128};
inline const QColor Blue{0, 0, 255};
inline const QColor Purple{128, 0, 128};
inline const QColor Green{0, 128, 0};
inline const QColor Teal{0, 128, 128};
inline const QColor Maroon{128, 0, 0};
inline const QColor Red{255, 0, 0};
inline const QColor Yellow{255, 255, 0};
inline const QColor Fuchsia{255, 0, 255};
inline const QColor Aqua{0, 255, 255};
inline const QColor Lime{0, 255, 0};
inline const QColor SkyBlue{166, 202, 240};
inline const QColor Cream{255, 251, 240};
inline const QColor Desktop{58, 110, 165};
inline const QColor FrameLight{255, 255, 255};
inline const QColor FrameShadow{128, 128, 128};
// A raised button's face under the pointer.
inline const QColor HoverFace{255, 242, 196};

}  // namespace Palette
