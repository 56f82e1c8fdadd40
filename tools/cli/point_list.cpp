#include "point_list.h"

#include <iostream>
#include <sstream>

#include "arguments.h"
#include "command.h"
#include "input_lines.h"

namespace cli {
namespace {

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
    const std::optional<std::vector<std::string>> lines = readInputLines(source, problem);
    if (!lines) return std::nullopt;
    std::vector<QueryPoint> points;
    for (size_t i = 0; i < lines->size(); ++i) {
        const std::string& line = (*lines)[i];
        const size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        std::optional<QueryPoint> q = parseLine(line);
        if (!q) {
            problem = echoed(source) + ":" + std::to_string(i + 1) +
                      ": expected X Y (metres), found: " + echoed(line);
            return std::nullopt;
        }
        points.push_back(*q);
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
