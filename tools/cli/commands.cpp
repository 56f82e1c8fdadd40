#include "command.h"

#include <iostream>

namespace cli {

int runInfo(const std::vector<std::string>& args);
int runCoords(const std::vector<std::string>& args);
int runExtract(const std::vector<std::string>& args);
int runRegex(const std::vector<std::string>& args);
int runSearch(const std::vector<std::string>& args);
int runRender(const std::vector<std::string>& args);
int runPrint(const std::vector<std::string>& args);
int runPick(const std::vector<std::string>& args);
int runAddress(const std::vector<std::string>& args);
int runExport(const std::vector<std::string>& args);
int runRoute(const std::vector<std::string>& args);
int runLocate(const std::vector<std::string>& args);

const std::vector<Command>& commands() {
    static const std::vector<Command> list = {
        {"info", "info [--json] [--features] PATH", runInfo},
        {"coords", "coords [--datum-shift helmert|grid] --from FORMAT|EPSG:n --to FORMAT|EPSG:n X Y | --list | --dms LAT LON",
         runCoords},
        {"extract", "extract ARCHIVE DEST", runExtract},
        {"search", "search [--regex] [--target MAJOR[.MINOR]] PATH TEXT", runSearch},
        {"regex", "regex [--fuzzy] [--lf] PATTERN TEXT... | regex --preprocess [--fuzzy] PATTERN | regex --expand TEXT", runRegex},
        {"render", "render PATH -o OUT.png|OUT.svg [--size WxH] [--mode all|gaiku|nogaiku] "
                   "[--box MINX,MINY,MAXX,MAXY] [--hide MAJOR,...] [--dpi N] [--readable] [--timing]", runRender},
        {"print", "print PATH OUT.pdf [--whole] [--scale N] [--margins L,T,R,B] [--paper A4|A3|Letter|...] [--copies N] "
                  "[--size WxH] [--box MINX,MINY,MAXX,MAXY] [--readable]", runPrint},
        {"pick", "pick PATH (X Y | --points FILE|-) [--tolerance METRES]", runPick},
        {"address", "address PATH (X Y | --points FILE|-)", runAddress},
        {"export", "export PATH... OUT [--format NAME] [--to-crs EPSG:n] [--datum-shift helmert|grid] [--layers lines,areas,...] "
                   "[--encoding UTF-8|CP932] [--overwrite | --append] [--quiet]",
         runExport},
        {"route", "route PATH X1 Y1 X2 Y2 [--geojson OUT]", runRoute},
        {"locate", "locate [--datum-shift helmert|grid] PATH (QUERY | --queries FILE|-)   (an address, \"LAT, LON\", DMS or \"SYSTEM X Y\")",
         runLocate},
    };
    return list;
}

int usageError(const std::string& command, const std::string& message) {
    std::cerr << "orvelle-cli " << command << ": " << message << "\n";
    for (const Command& c : commands())
        if (command == c.name) std::cerr << "usage: orvelle-cli " << UsageLine(c) << "\n";
    return kExitUsage;
}

int failure(const std::string& command, const std::string& message) {
    std::cerr << "orvelle-cli " << command << ": " << message << "\n";
    return kExitFailed;
}

}  // namespace cli
