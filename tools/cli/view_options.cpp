#include "view_options.h"

#include <vector>

#include "arguments.h"

namespace cli {

bool isViewOption(const std::string& option) { return option == "--size" || option == "--box"; }

std::string parseViewOption(const std::string& option, const std::string& value, ViewOptions& o) {
    if (option == "--size") {
        if (!parseSize(value, o.width, o.height) || o.width > kMaxViewSide || o.height > kMaxViewSide)
            return "--size must be WxH with sides from 1 to " + std::to_string(kMaxViewSide);
        return {};
    }
    std::vector<double> n;
    if (!parseNumberList(value, n) || n.size() != 4 || n[0] > n[2] || n[1] > n[3])
        return "--box must be MINX,MINY,MAXX,MAXY with MIN <= MAX";
    o.box = std::array<double, 4>{n[0], n[1], n[2], n[3]};
    return {};
}

}  // namespace cli
