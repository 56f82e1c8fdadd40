#pragma once
// Drawing style of a feature code: palette index, width in metres, pen style.
#include <cstdint>

enum class TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

int CodeColorIndex(int major, int minor);  // 7 (black) for codes without a style row
int CodeLineWidth(int major, int minor);   // 0 for codes without a style row
TPenStyle CodePenStyle(int major, int minor);  // dashed for chome boundaries (1106)
