#include "reading/description.h"

#include "base/path_resolver.h"
#include "base/sjis.h"
#include "reading/messages.h"
#include "reading/read_errors.h"
#include "reading/records.h"

TKDKDescription::TKDKDescription(int meshNo, const std::string& path)
    : MeshNo(meshNo), Folder(paths::folderPart(path)), BaseName(paths::baseNameOf(path)) {}

bool TKDKDescription::Read() {
    const ReadMessages& m = Messages();
    const std::string d = FilePath();
    auto fail = [&](const std::string& text, int number) { throw TKDKReadException(text, number, d); };

    const std::string fsPath = paths::resolve(sjis::toUtf8(d));
    if (!paths::isRegularFile(fsPath)) fail(m.descCannotOpen, 0);
    TextLines text;
    if (!text.load(fsPath)) fail(m.descCannotOpen, 0);
    const auto& lines = text.lines();
    auto line = [&](size_t number) {
        if (number > lines.size()) throw EKDKIndexError::MissingLine(d, static_cast<int>(number));
        return lines[number - 1];
    };

    if (line(1) != m.title1 && line(1) != m.title2) fail(m.notDescription, 1);
    Line2Text = line(2);
    Line3Text = line(3);
    Line4Text = line(4);
    if (sjis::upperAscii(line(5)) != sjis::upperAscii(BaseName)) fail(m.wrongDescName, 5);
    if (auto scale = TryReadInt(line(6)))
        Scale = *scale;
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
    CoordSystemNo = integer(0, m.badZone);
    SouthWest.Y = real(1, m.badSouthWestY);
    SouthWest.X = real(2, m.badSouthWestX);
    NorthEast.Y = real(3, m.badNorthEastY);
    NorthEast.X = real(4, m.badNorthEastX);
    if (items.size() == 10) {
        NorthWest.Y = real(5, m.badNorthWestY);
        NorthWest.X = real(6, m.badNorthWestX);
        SouthEast.Y = real(7, m.badSouthEastY);
        SouthEast.X = real(8, m.badSouthEastX);
        DatumFlag = integer(9, m.badDatumFlag);
    } else {
        NorthWest = {SouthWest.X, NorthEast.Y};
        SouthEast = {NorthEast.X, SouthWest.Y};
        DatumFlag = 0;
    }

    Line8Text = line(8);
    Line9Items = SplitFields(line(9));
    for (size_t i = 10; i <= lines.size(); ++i) LayerFiles.emplace_back(lines[i - 1]);
    return true;
}
