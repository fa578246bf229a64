#pragma once

#include <QStringList>

// The sans-serif face on paper. Qt's PDF writer tells a reader which
// character a glyph stands for by the lowest code point the font maps to it,
// and CJK faces map the Kangxi and supplementary radicals (⼝ U+2F1D,
// ⻓ U+2ED3) to the very glyphs of 口 and 长: a printed PDF would copy and
// search as radicals. So the paper uses a copy of the face whose character
// map leaves the radicals out, made in memory the first time it is asked
// for; where the face maps no radical, or cannot be copied, the face itself.
namespace PrintFace {

// families as a QFont should look for them on paper: the copy of the face
// they resolve to first. Each call makes a copy, so ask once.
QStringList Families(const QStringList &families);

}  // namespace PrintFace
