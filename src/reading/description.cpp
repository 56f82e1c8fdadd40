#include "reading/description.h"

#include "base/path_resolver.h"
#include "base/sjis.h"
#include "reading/messages.h"
#include "reading/read_errors.h"
#include "reading/records.h"

void ReadDescription(TKDKDescription& desc) {
    const ReadMessages& m = Messages();
    const std::string path = desc.FilePath();
    auto fail = [&](const std::string& text, int number) { throw TKDKReadException(text, number, path); };

    const std::string fsPath = paths::resolve(sjis::toUtf8(path));
    if (!paths::isRegularFile(fsPath)) fail(m.descCannotOpen, 0);
    TextLines text;
    if (!text.load(fsPath)) fail(m.descCannotOpen, 0);
    const auto& lines = text.lines();
    auto line = [&](size_t number) {
        if (number > lines.size()) throw EKDKIndexError::MissingLine(path, static_cast<int>(number));
        return lines[number - 1];
    };

    if (line(1) != m.title1 && line(1) != m.title2) fail(m.notDescription, 1);
    desc.Line2Text = line(2);
    desc.Line3Text = line(3);
    desc.Line4Text = line(4);
    if (sjis::upperAscii(line(5)) != sjis::upperAscii(desc.BaseName)) fail(m.wrongDescName, 5);
    if (auto scale = TryReadInt(line(6)))
        desc.Scale = *scale;
    else
        fail(m.badScale, 6);

    FieldList items;
    items.split(line(7));
    if (items.size() != 5 && items.size() != 10) fail(m.badSheet, 7);
    auto real = [&](size_t i, const std::string& error) {
        auto v = TryReadFloat(items[i]);
        if (!v) fail(error, 7);
        return *v;
    };
    auto integer = [&](size_t i, const std::string& error) {
        auto v = TryReadInt(items[i]);
        if (!v) fail(error, 7);
        return *v;
    };
    desc.CoordSystemNo = integer(0, m.badZone);
    desc.SouthWest.Y = real(1, m.badSouthWestY);
    desc.SouthWest.X = real(2, m.badSouthWestX);
    desc.NorthEast.Y = real(3, m.badNorthEastY);
    desc.NorthEast.X = real(4, m.badNorthEastX);
    if (items.size() == 10) {
        desc.NorthWest.Y = real(5, m.badNorthWestY);
        desc.NorthWest.X = real(6, m.badNorthWestX);
        desc.SouthEast.Y = real(7, m.badSouthEastY);
        desc.SouthEast.X = real(8, m.badSouthEastX);
        desc.DatumFlag = integer(9, m.badDatumFlag);
    } else {
        desc.NorthWest = {desc.SouthWest.X, desc.NorthEast.Y};
        desc.SouthEast = {desc.NorthEast.X, desc.SouthWest.Y};
        desc.DatumFlag = 0;
    }

    desc.Line8Text = line(8);
    desc.Line9Items = SplitFields(line(9));
    for (size_t i = 10; i <= lines.size(); ++i) desc.LayerFiles.emplace_back(lines[i - 1]);
}
