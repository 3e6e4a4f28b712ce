// The bench's fonts: Times New Roman bold in pixel sizes, with a bold serif standing in.
#pragma once

#include <QFont>

/** 14.25 pt at 96 dpi. */
constexpr int kLargeFontPx = 19;
/** 11.25 pt at 96 dpi. */
constexpr int kMediumFontPx = 15;

/** Times New Roman bold at the given pixel size, falling back to Liberation Serif. */
QFont benchFont(int pixelSize);
