#include "map/merge_messages.h"

#include "base/sjis.h"

const MergeMessages& MergeTexts() {
    static const MergeMessages m{sjis::fromUtf8(u8"公共座標系が異なります("), sjis::fromUtf8(u8"座標系が異なります("),
                                 sjis::fromUtf8(u8"縮尺が異なります(")};
    return m;
}
