#include "point_list.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string_view>

#include "arguments.h"
#include "command.h"

namespace cli {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::optional<QueryPoint> parseLine(std::string line) {
    for (char& c : line)
        if (c == ',' || c == '\t' || c == '\r') c = ' ';
    std::istringstream in(line);
    QueryPoint q;
    std::string extra;
    if (!(in >> q.x >> q.y) || (in >> extra)) return std::nullopt;
    if (!parseWorldPoint(q.x, q.y, q.at)) return std::nullopt;
    return q;
}

}  // namespace

std::optional<std::vector<QueryPoint>> readPointList(const std::string& source, std::string& problem) {
    std::ifstream file;
    if (source != "-") {
        file.open(source);
        if (!file) {
            problem = "cannot read " + echoed(source) + ": " + std::strerror(errno);
            return std::nullopt;
        }
    }
    std::istream& in = source == "-" ? std::cin : file;
    std::vector<QueryPoint> points;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        // Editors on Windows start a UTF-8 file with a byte order mark.
        if (number == 1 && line.rfind(kUtf8ByteOrderMark, 0) == 0) line.erase(0, kUtf8ByteOrderMark.size());
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        std::optional<QueryPoint> q = parseLine(line);
        if (!q) {
            problem = echoed(source) + ":" + std::to_string(number) +
                      ": expected X Y (metres), found: " + echoed(line);
            return std::nullopt;
        }
        points.push_back(*q);
    }
    if (in.bad()) {  // a folder, or a read error
        problem = "cannot read " + echoed(source) + ": " + std::strerror(errno);
        return std::nullopt;
    }
    return points;
}

std::optional<std::vector<QueryPoint>> queryPoints(const std::string& command, const std::vector<std::string>& positional,
                                                   const std::string& pointsSource, int& status) {
    if (!pointsSource.empty()) {
        if (positional.size() != 1) {
            status = usageError(command, "needs PATH --points FILE|-");
            return std::nullopt;
        }
        std::string problem;
        auto points = readPointList(pointsSource, problem);
        if (!points) {
            std::cerr << "orvelle-cli " << command << ": " << problem << "\n";
            status = kExitFailed;
        }
        return points;
    }
    QueryPoint q;
    if (positional.size() != 3) {
        status = usageError(command, "needs PATH X Y or PATH --points FILE|-");
        return std::nullopt;
    }
    if (!parseWorldPoint(positional[1], positional[2], q.at)) {
        status = usageError(command, "X and Y must be numbers (metres)");
        return std::nullopt;
    }
    q.x = positional[1];
    q.y = positional[2];
    return std::vector<QueryPoint>{q};
}

}  // namespace cli
