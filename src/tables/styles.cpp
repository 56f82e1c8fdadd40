#include "tables/styles.h"

namespace {

struct StyleRow {
    int code, colorIndex, width;
};

constexpr StyleRow kStyleCodes[] = {
    {1101, 1, 3},  {1103, 3, 2},  {1104, 3, 1},  {1105, 6, 1},  {1106, 254, 0}, {1108, 7, 0},
    {2101, 7, 0},  {2110, 253, 7}, {2112, 7, 0}, {2300, 1, 2},  {2420, 6, 0},  {6241, 9, 0},
    {6242, 82, 0}, {6243, 85, 0}, {6244, 9, 0},  {6215, 9, 0},  {6200, 9, 0},  {5101, 4, 0},
    {5105, 4, 0},  {5106, 5, 0},  {5121, 5, 0},  {3500, 20, 0}, {7301, 1, 0},
};

const StyleRow* find(int major, int minor) {
    const int code = major * 100 + minor;
    for (const StyleRow& row : kStyleCodes)
        if (row.code == code) return &row;
    return nullptr;
}

}  // namespace

int CodeColorIndex(int major, int minor) {
    const StyleRow* row = find(major, minor);
    return row ? row->colorIndex : 7;
}

int CodeLineWidth(int major, int minor) {
    const StyleRow* row = find(major, minor);
    return row ? row->width : 0;
}

TPenStyle CodePenStyle(int major, int minor) {
    return (major == 11 && minor == 6) ? TPenStyle::psDash : TPenStyle::psSolid;
}
