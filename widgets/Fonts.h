#pragma once

class QFont;
class QString;

// The faces the windows are drawn in. Each names the classic Chinese face
// first and then the nearest face of the same kind that Debian ships, so the
// windows look alike wherever the classic face is missing.
namespace Fonts {

QFont SongTi(int pixelSize, bool bold = false);   // 宋体: serif
QFont LiShu(int pixelSize, bool bold = false);    // 隶书: calligraphic
QFont KaiTi(int pixelSize, bool bold = false);    // 楷体_GB2312: brush script
QFont Ui(int pixelSize, bool bold = false);       // the plain sans-serif of captions
QFont Print(double pointSize, bool bold = false); // the same sans-serif on paper, sized in points

// font at its own pixel size, or smaller down to smallestPixels where text
// would not fit width otherwise: a little smaller rather than cut off.
QFont FittedTo(QFont font, const QString &text, int width, int smallestPixels);

}  // namespace Fonts
