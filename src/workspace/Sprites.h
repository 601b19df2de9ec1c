#pragma once

#include <QImage>

// The pictures of the full-screen 2D layers, drawn by the program itself.
namespace zev::workspace {

// The pointer sprites: 0 the mouse tool's arrow ("MOUSEARROW"), 1 the dropper tool
// ("DROPPER"), 2 busy ("MOUSEWAIT").
enum class PointerMode { Arrow = 0, Dropper = 1, Wait = 2 };

// Size of the part of a pointer sprite that is drawn.
inline constexpr int kPointerWidth = 14;
inline constexpr int kPointerHeight = 24;

// The sprite's resource name ("MOUSEARROW", "DROPPER", "MOUSEWAIT").
const char* PointerSpriteName(PointerMode mode);

// A 14 x 24 picture; black (0, 0, 0) pixels are transparent (the colour key).
QImage PointerSprite(PointerMode mode);

// The background picture ("BACKGROUND") at the given size: a sky over distant hills.
QImage BackgroundPicture(int width, int height);

} // namespace zev::workspace
