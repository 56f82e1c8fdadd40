#include "command_help.h"

#include <gdal.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <set>
#include <sstream>
#include <string>

#include "command.h"
#include "jobs_option.h"
#include "tables/coords_format.h"
#include "version/version.h"
#include "view/coords_table.h"

namespace cli {
namespace {

using C = Completion;

constexpr std::string_view kSample = "/usr/share/orvelle/sample";

// ---------------------------------------------------------------------------
// The table.

const std::vector<CommandHelp>& declaredTable() {
    static const OptionHelp datumShift{
        "--datum-shift", "helmert|grid",
        "How a Tokyo-datum system is brought to JGD2000: helmert (the default) by PROJ's three-parameter "
        "Helmert shift, about 9 m accurate; grid by GSI's TKY2JGD grid shipped in share/orvelle/grids, "
        "with the three-parameter shift where the grid has no parameter (counted on standard error).",
        C::Words, "helmert grid"};
    static const OptionHelp size{"--size", "WxH",
                                 "The view in pixels (default 800x600): the whole data fitted into it as the "
                                 "viewer fits it. Sides from 1 to 20000, at most 64 million pixels.",
                                 C::None};
    static const OptionHelp box{"--box", "MINX,MINY,MAXX,MAXY",
                                "Zoom the view to this box of world metres, as the viewer's rubber band does; a "
                                "box outside the data is refused.",
                                C::None};
    static const OptionHelp readable{"--readable", "",
                                     "The readable drawing: detail by scale, labels in points placed without "
                                     "overlap, a scale bar in the lower left.",
                                     C::None};
    static const OptionHelp points{"--points", "FILE|-",
                                   "Answer for every point of FILE (standard input for -): one \"X Y\" or "
                                   "\"X,Y\" per line; a UTF-8 byte order mark is skipped.",
                                   C::File};
    static const std::vector<CommandHelp> commands = {
        {"info", "meshes, feature counts, extent and read errors",
         "Loads PATH and prints its meshes, the number of features of each kind, the extent and the list of the "
         "problems reading met, as the viewer's error list shows them.",
         {{"--json", "", "Print one JSON object instead of text.", C::None},
          {"--features", "", "With --json: every feature with its kind, code, bounds and attributes.", C::None}},
         {{C::Path}},
         false,
         "orvelle-cli info --json /usr/share/orvelle/sample",
         "The bundled sample's meshes and counts as JSON."},
        {"coords", "convert a point between coordinate systems",
         "Converts the point X Y from one coordinate system to another and prints it (metres with six "
         "decimals, degrees with nine). A system is a table name of coords --list (geographic values in "
         "hundredths of an arc-second) or an EPSG code of the table (geographic values in degrees). --dms "
         "prints latitude and longitude (hundredths of an arc-second) as the status bar does.",
         {datumShift,
          {"--from", "FORMAT|EPSG:n", "The system of X and Y.", C::CoordsFormat},
          {"--to", "FORMAT|EPSG:n", "The system to convert into.", C::CoordsFormat},
          {"--list", "", "List the systems: number, name, EPSG code, kind, datum and Japanese title.", C::None},
          {"--dms", "", "Print LAT and LON in degrees, minutes and seconds.", C::None}},
         {{C::None}, {C::None}},
         false,
         "orvelle-cli coords --from cfProjectedJGD09 --to EPSG:4326 -11900 -37400",
         "A point of plane rectangular system IX (JGD2000) in WGS84 degrees."},
        {"extract", "extract an .lzh archive as the viewer does",
         "Extracts ARCHIVE below DEST with the switches of the viewer's open command and prints the command "
         "line and the result code. Archives declaring more than 4 GiB, or more than the free space of DEST "
         "less 64 MiB, are refused; a failed extraction removes what it wrote.",
         {},
         {{C::File, "lzh"}, {C::Folder}},
         false,
         "orvelle-cli extract 13101.lzh /tmp/13101",
         "The municipality archive 13101.lzh into /tmp/13101."},
        {"search", "features whose attribute texts match",
         "Searches the attribute texts of PATH for TEXT, as the viewer's search dialog does, and prints one "
         "\"KIND MESH ID CODE\" line per feature found.",
         {{"--regex", "", "TEXT is a regular expression of the viewer's engine.", C::None},
          {"--target", "MAJOR[.MINOR]", "Search only this category of feature codes (21, or 21.10).", C::None}},
         {{C::Path}, {C::None}},
         false,
         "orvelle-cli search --regex /usr/share/orvelle/sample '公園$'",
         "Every feature whose text ends in 公園."},
        {"regex", "run the search's regular-expression engine",
         "Matches PATTERN against each TEXT with the attribute search's Shift-JIS regular-expression engine "
         "and prints \"POS LEN\" per TEXT in Shift-JIS bytes, POS counted from 1 (\"0 0\": no match). --preprocess prints the pattern as the engine "
         "rewrites it; --expand prints the bytes of TEXT after its escapes are expanded. -- ends the options.",
         {{"--fuzzy", "", "Characters users take for the same match each other (full- and half-width forms, "
                          "hiragana and katakana ...).",
           C::None},
          {"--lf", "", "Lines end in LF instead of CR LF.", C::None},
          {"--preprocess", "", "Print the preprocessed PATTERN.", C::None},
          {"--expand", "", "Print TEXT's bytes in hexadecimal after its escapes are expanded.", C::None}},
         {{C::None}, {C::None}},
         true,
         "orvelle-cli regex --fuzzy 'ｺｳｴﾝ' 中央コウエン こうえん 公園",
         "The half-width pattern found in the first two texts (5 8, 1 8), not in the third (0 0)."},
        {"render", "draw the map into a PNG or SVG file",
         "Draws PATH as the viewer draws it into OUT (.png or .svg), without a display. The file is written "
         "beside OUT and renamed into place when complete.",
         {{"-o", "OUT", "The picture to write: .png or .svg.", C::File, "png|svg"},
          size,
          box,
          {"--mode", "all|gaiku|nogaiku", "The view mode: everything, blocks (gaiku) or no blocks.", C::Words,
           "all gaiku nogaiku"},
          {"--hide", "MAJOR,...", "Hide these display categories.", C::WordList, "11 21 23 24 35 51 62 73"},
          {"--dpi", "N", "Dots per inch of the picture (1 to 10000, default 96).", C::None},
          readable,
          {"--timing", "", "Print \"load L ms, first draw F ms, draw D ms\" on standard error.", C::None}},
         {{C::Path}},
         false,
         "orvelle-cli render /usr/share/orvelle/sample -o map.png --size 1280x960",
         "The whole sample as a 1280 x 960 PNG."},
        {"print", "print the map into a PDF file",
         "Prints PATH through the viewer's print command into OUT.pdf (Qt's PDF printer at 600 dpi, the "
         "whole sheet printable): the view that --size and --box describe at its scale on a 96 dpi screen, or "
         "the whole data with --whole. Margins that leave no room print \"印刷範囲が小さすぎます\" and write "
         "nothing.",
         {{"--whole", "", "The whole data area, scaled to fit the page.", C::None},
          {"--scale", "N",
           "Print at 1:N (1 to 10000000) with \"1:N\" and a scale bar on the page. With --whole the area is "
           "printed on as many pages as it needs (rows and columns overlapping by 10 mm, each labelled \"R2 "
           "C3\" for its row and column, at most 999), after an overview page with the page grid.",
           C::None},
          {"--margins", "L,T,R,B", "Margins in whole millimetres (default 10,10,10,10).", C::None},
          {"--paper", "NAME", "A paper size Qt knows, in any case (default A4).", C::Words,
           "A3 A4 A5 B4 B5 Letter Legal Tabloid"},
          {"--copies", "N", "Copies, 1 to 99; each copy is a page.", C::None},
          size,
          box,
          readable},
         {{C::Path}, {C::File, "pdf"}},
         false,
         "orvelle-cli print /usr/share/orvelle/sample page.pdf --whole --paper A3",
         "The whole sample on one A3 page."},
        {"pick", "details of the features at a point",
         "Prints the details of every feature at the world point X Y (metres of the map's system), as a click "
         "in the viewer shows them; with --points, \"# X Y\" and then the details for each point.",
         {points, {"--tolerance", "METRES", "How near a feature must be (default 1.5).", C::None}},
         {{C::Path}, {C::None}, {C::None}},
         false,
         "orvelle-cli pick /usr/share/orvelle/sample -11900 -37400",
         "What lies at one point of the sample."},
        {"address", "prefecture, city, chome and block at a point",
         "Prints the address at the world point X Y as the status bar shows it; with --points, one "
         "tab-separated line per point.",
         {points},
         {{C::Path}, {C::None}, {C::None}},
         false,
         "orvelle-cli address /usr/share/orvelle/sample -11900 -37400",
         "The address at one point of the sample."},
        {"export", "write the map to GeoPackage, Shapefile, PostGIS ...",
         "Writes the layers lines, areas, points, labels, nodes and links (those with features) to OUT through "
         "GDAL in the format of OUT's extension (.gpkg, .geojson, .json, .shp, .fgb, .kml, .dxf, .csv, .tab, "
         ".mif) or of --format; an OUT whose extension names no format is refused unless --format is given. "
         "\"PG:dbname=...\" writes to PostGIS in one transaction. A .dxf is a CAD drawing: one DXF layer per "
         "feature code, lines and area outlines as polylines, labels and road names as texts. Prints \"LAYER "
         "COUNT\" per layer and \"total N\". A failed or interrupted export leaves nothing under OUT's names. "
         "Every feature has a field source (the PATH's stem) and the table orvelle_sources (a side file "
         "OUT-stem_orvelle_sources.csv for file formats) lists each source's files, counts and time. Several "
         "PATHs are a batch: read on --jobs threads beside the writer, then \"sources W written, S skipped, F "
         "failed\"; a source that cannot be read is reported and the others written (exit status 1); sources in "
         "different plane zones need --to-crs.",
         {{"--format", "NAME", "Any OGR vector driver that can write (GPKG, GeoJSON, \"ESRI Shapefile\" ...).",
           C::VectorDriver},
          {"--to-crs", "EPSG:n", "Reproject into this two-dimensional system (default: the data's own).",
           C::None},
          datumShift,
          {"--layers", "LIST", "Only these layers, comma-separated.", C::WordList,
           "lines areas points labels nodes links"},
          {"--encoding", "UTF-8|CP932",
           "The texts' encoding for Shapefile, DXF, CSV and MapInfo (default UTF-8); CP932 is Shift_JIS, with a "
           ".cpg of \"932\" beside a Shapefile. A text CP932 cannot hold fails the export.",
           C::Words, "UTF-8 CP932"},
          {"--overwrite", "", "Replace an existing OUT (kept otherwise).", C::None},
          {"--append", "",
           "Add the sources to an existing (or new) GeoPackage or database, each in one transaction: a source "
           "already there is replaced, an unchanged one skipped; an interrupted batch resumes when run again.",
           C::None},
          {"--quiet", "", "No progress line on a terminal.", C::None}},
         {{C::Path}, {C::File}},
         false,
         "orvelle-cli export /usr/share/orvelle/sample roads.geojson --layers lines --to-crs EPSG:4326",
         "The sample's lines as GeoJSON in WGS84 degrees."},
        {"route", "shortest route along the roads",
         "Finds the shortest route along the road centre lines between the road points nearest to X1 Y1 and "
         "X2 Y2 and prints its length, arcs and snapping distances, then the names of the roads it follows. "
         "Points more than 1 km from every road are refused.",
         {{"--geojson", "OUT", "Also write the route as one GeoJSON LineString in the map's system.", C::File,
           "geojson|json"}},
         {{C::Path}, {C::None}, {C::None}, {C::None}, {C::None}},
         false,
         "orvelle-cli route /usr/share/orvelle/sample -11900 -37400 -8500 -36100",
         "The route between two corners of the sample."},
        {"locate", "find an address or a coordinate",
         "Finds the places QUERY names and prints one tab-separated line each: kind, X, Y, min X, min Y, max X, "
         "max Y and name. QUERY (the words after PATH) is latitude and longitude on WGS84 (decimal or degrees, "
         "minutes and seconds), plane metres after a system name, or an address as far as it goes; at most "
         "20 places.",
         {datumShift,
          {"--queries", "FILE|-",
           "Answer every line of FILE (standard input for -) as one query, in order, as CSV with the header "
           "query,match,name,x,y,latitude,longitude: the best match's kind (municipality, chome, block, "
           "coordinate or nothing), full name, point in the map's system and latitude and longitude on WGS84. "
           "Unmatched lines are rows too, named on standard error. A file that is valid UTF-8 is read as "
           "UTF-8, any other as Shift_JIS.",
           C::File}},
         {{C::Path}, {C::None}},
         true,
         "orvelle-cli locate /usr/share/orvelle/sample 栄里五丁目 3",
         "Block 3 of 栄里五丁目 in the sample."},
    };
    return commands;
}

// Every command that loads a PATH reads its meshes on several threads: each
// takes --jobs, described once here.
const std::vector<CommandHelp>& table() {
    static const std::vector<CommandHelp> commands = [] {
        static const OptionHelp jobs{
            kJobsOption, "N",
            "Read N meshes at once (1 to 64; default: one per core). The map, the error list and every output "
            "are the same for any N.",
            C::None};
        std::vector<CommandHelp> all = declaredTable();
        for (CommandHelp& h : all)
            if (TakesPath(h)) h.options.push_back(jobs);
        return all;
    }();
    return commands;
}

// ---------------------------------------------------------------------------
// Text for the terminal.

// `text` wrapped to 79 columns, each line starting with `indent` spaces; with
// `afterLabel`, the first line goes on after a label `indent` columns wide.
std::string wrapped(std::string_view text, int indent, bool afterLabel = false) {
    constexpr int kWidth = 79;
    std::string out(afterLabel ? 0 : indent, ' ');
    int column = indent;
    bool lineEmpty = true;
    std::istringstream words{std::string(text)};
    std::string word;
    while (words >> word) {
        // Width in characters: UTF-8 continuation bytes take no column.
        int width = 0;
        for (unsigned char c : word) width += (c & 0xC0) != 0x80;
        if (!lineEmpty && column + 1 + width > kWidth) {
            out += "\n" + std::string(indent, ' ');
            column = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            out += ' ';
            ++column;
        }
        out += word;
        column += width;
        lineEmpty = false;
    }
    return out + "\n";
}

std::string optionLabel(const OptionHelp& o) {
    return std::string(o.option) + (o.value.empty() ? "" : " " + std::string(o.value));
}

const Command* commandOf(std::string_view name) {
    for (const Command& c : commands())
        if (name == c.name) return &c;
    return nullptr;
}

// Paragraphs separated by "\n\n".
std::vector<std::string_view> paragraphs(std::string_view text) {
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const size_t end = text.find("\n\n");
        out.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 2);
    }
    return out;
}

struct Item {
    std::string_view label, text;
};

const std::vector<Item>& exitStatuses() {
    static const std::vector<Item> items = {
        {"0", "Success."},
        {"1", "Loading or the command failed; the reason is on standard error."},
        {"2", "Bad arguments; the command's usage is on standard error."},
    };
    return items;
}

const std::vector<Item>& environment() {
    static const std::vector<Item> items = {
        {"ORVELLE_HOME", "The folder of the settings and of the extracted archives (Maps), instead of "
                         "~/.config/orvelle and ~/.cache/orvelle."},
        {"ORVELLE_GRIDS", "The folder of GSI's datum grids, instead of share/orvelle/grids of the installation."},
    };
    return items;
}

const std::vector<Item>& files() {
    static const std::vector<Item> items = {
        {"~/.cache/orvelle/Maps", "Municipality archives extracted for reading, one folder each."},
        {"/usr/share/orvelle/grids", "GSI's datum grids TKY2JGD and touhokutaiheiyouoki2011 (--datum-shift grid)."},
        {"/usr/share/orvelle/sample", "A small synthetic municipality of two meshes to try the commands on."},
    };
    return items;
}

constexpr std::string_view kDescription =
    "The command-line side of Orvelle, the viewer of the 1:2500 vector maps that the Geospatial Information "
    "Authority of Japan (GSI) publishes as 数値地図2500 (空間データ基盤): loads a map as the viewer does and "
    "prints what it holds, draws, prints, searches, converts and exports it, for scripts and tests.";
constexpr std::string_view kArguments =
    "PATH is a mesh description file (.TXT), a folder of meshes (every .TXT one level below it) or a "
    "municipality .lzh archive, which is extracted first into $ORVELLE_HOME/Maps or ~/.cache/orvelle/Maps. "
    "X and Y are metres of the map's plane rectangular system (X easting, Y northing). Output is UTF-8; "
    "texts the data holds in Shift-JIS are converted.";

void printItems(std::ostream& out, const std::vector<Item>& items, int width) {
    for (const Item& i : items) {
        std::string label = "  " + std::string(i.label);
        if (static_cast<int>(label.size()) + 2 > width) {
            out << label << "\n" << wrapped(i.text, width);
        } else {
            label.resize(width, ' ');
            out << label << wrapped(i.text, width, true);
        }
    }
}

// ---------------------------------------------------------------------------
// roff.

// A text for a roff line: backslashes and hyphens escaped, no line starting
// with a control character.
std::string roff(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += "\\e";
        else if (c == '-') out += "\\-";
        else out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
    return out;
}

std::string manDate() {
    std::time_t when = std::time(nullptr);
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) when = static_cast<std::time_t>(std::atoll(epoch));
    std::tm utc{};
    gmtime_r(&when, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%B %Y", &utc);
    return text;
}

void manItems(std::ostream& out, const std::vector<Item>& items, bool boldLabels) {
    for (const Item& i : items)
        out << ".TP\n" << (boldLabels ? ".B " : ".I ") << roff(i.label) << "\n" << roff(i.text) << "\n";
}

// ---------------------------------------------------------------------------
// bash.

// Words for a bash double-quoted string (no quotes, dollars, backquotes or
// backslashes in them); anything else is left out.
bool safeForBash(std::string_view word) {
    for (char c : word)
        if (c == '"' || c == '$' || c == '`' || c == '\\' || c == '\'' || static_cast<unsigned char>(c) < 0x21)
            return false;
    return !word.empty();
}

std::string coordsFormatWords() {
    std::string words;
    std::set<std::string> codes;
    for (int i = 0; i < kCoordsFormatCount; ++i) {
        const auto format = static_cast<TCoordsFormat>(i);
        words += std::string(CoordsFormatName(format)) + " ";
        const std::string& code = CoordsFormatEntry(format).Code;
        if (!code.empty() && code.find_first_not_of("0123456789") == std::string::npos) codes.insert(code);
    }
    for (const std::string& code : codes) words += "EPSG:" + code + " ";
    words.pop_back();
    return words;
}

// GDAL's vector drivers that can create a data source, by short name. Names
// with a space ("ESRI Shapefile") cannot be offered as one word; bash would
// split them.
std::string vectorDriverWords() {
    GDALAllRegister();
    std::set<std::string> names;
    for (int i = 0; i < GDALGetDriverCount(); ++i) {
        GDALDriverH driver = GDALGetDriver(i);
        if (!GDALGetMetadataItem(driver, GDAL_DCAP_VECTOR, nullptr) ||
            !GDALGetMetadataItem(driver, GDAL_DCAP_CREATE, nullptr))
            continue;
        const std::string name = GDALGetDriverShortName(driver);
        if (safeForBash(name)) names.insert(name);
    }
    std::string words;
    for (const std::string& n : names) words += n + " ";
    if (!words.empty()) words.pop_back();
    return words;
}

// The bash code that completes a value or an argument of this kind.
std::string completionCode(Completion kind, std::string_view words) {
    switch (kind) {
        case C::None: return "return";
        case C::Path: return "_filedir '@(txt|lzh)'";
        case C::File: return words.empty() ? "_filedir" : "_filedir '@(" + std::string(words) + ")'";
        case C::Folder: return "_filedir -d";
        case C::Words: return "COMPREPLY=($(compgen -W \"" + std::string(words) + "\" -- \"$cur\"))";
        case C::WordList: return "_orvelle_cli_list \"" + std::string(words) + "\"";
        case C::CoordsFormat:
            return "COMPREPLY=($(compgen -W \"$_orvelle_cli_formats\" -- \"$cur\")); __ltrim_colon_completions \"$cur\"";
        case C::VectorDriver: return "COMPREPLY=($(compgen -W \"$_orvelle_cli_drivers\" -- \"$cur\"))";
    }
    return "return";
}

}  // namespace

const std::vector<CommandHelp>& commandHelp() { return table(); }

bool TakesPath(const CommandHelp& help) {
    for (const ArgumentHelp& a : help.arguments)
        if (a.completion == C::Path) return true;
    return false;
}

bool LoadsData(std::string_view command) {
    for (const CommandHelp& h : declaredTable())
        if (h.name == command) return TakesPath(h);
    return false;
}

std::string UsageLine(const Command& command) {
    std::string usage = command.usage;
    if (!LoadsData(command.name)) return usage;
    const size_t nameEnd = std::min(usage.find(' '), usage.size());
    return usage.insert(nameEnd, std::string(" [") + kJobsOption + " N]");
}

const CommandHelp* helpOf(std::string_view name) {
    for (const CommandHelp& h : table())
        if (h.name == name) return &h;
    return nullptr;
}

void printOverview(std::ostream& out) {
    out << "Usage: orvelle-cli COMMAND [ARGUMENT...]\n"
           "  or:  orvelle-cli help [COMMAND]\n"
           "  or:  orvelle-cli --help | --version | --bash-completion | --manpage\n"
        << wrapped(kDescription, 0) << "\n"
        << wrapped(kArguments, 0) << "\nCommands:\n";
    for (const Command& c : commands()) {
        std::string label = "  " + std::string(c.name);
        label.resize(12, ' ');
        const CommandHelp* h = helpOf(c.name);
        out << label << (h ? h->summary : "") << "\n";
    }
    out << "\n"
        << wrapped("Run \"orvelle-cli help COMMAND\" (or \"orvelle-cli COMMAND --help\") for a command's usage, "
                   "options and example; the manual page orvelle-cli(1) has them all.",
                   0)
        << "\nOptions:\n";
    printItems(out,
               {{"-h, --help", "Show this help."},
                {"--version", "Show the version, and the git commit the program was built from."},
                {"--bash-completion", "Print the completion script for bash."},
                {"--manpage", "Print the manual page orvelle-cli(1) in roff."}},
               21);
    out << "\nExit status:\n";
    printItems(out, exitStatuses(), 5);
    out << "\nEnvironment:\n";
    printItems(out, environment(), 17);
    out << "\nExamples:\n";
    for (const CommandHelp& h : table())
        if (h.name == "info" || h.name == "render" || h.name == "export") out << "  " << h.example << "\n";
}

void printCommandHelp(std::ostream& out, const CommandHelp& help) {
    const Command* command = commandOf(help.name);
    out << "Usage: orvelle-cli " << (command ? UsageLine(*command) : std::string(help.name)) << "\n";
    for (std::string_view p : paragraphs(help.description)) out << wrapped(p, 0);
    if (!help.options.empty()) {
        out << "\nOptions:\n";
        std::vector<Item> items;
        std::vector<std::string> labels;
        labels.reserve(help.options.size());
        for (const OptionHelp& o : help.options) labels.push_back(optionLabel(o));
        for (size_t i = 0; i < help.options.size(); ++i) items.push_back({labels[i], help.options[i].text});
        printItems(out, items, 24);
    }
    out << "\nExample:\n  " << help.example << "\n" << wrapped(help.exampleText, 6);
}

void writeManPage(std::ostream& out) {
    out << ".\\\" The manual page of orvelle-cli, written by orvelle-cli --manpage.\n"
        << ".TH ORVELLE\\-CLI 1 \"" << manDate() << "\" \"Orvelle " << OrvelleVersion() << "\" \"User Commands\"\n"
        << ".SH NAME\n"
        << "orvelle\\-cli \\- read, draw, search, convert and export 数値地図2500 map data\n"
        << ".SH SYNOPSIS\n"
        << ".B orvelle\\-cli\n.I COMMAND\n.RI [ ARGUMENT ...]\n.br\n"
        << ".B orvelle\\-cli help\n.RI [ COMMAND ]\n.br\n"
        << ".B orvelle\\-cli\n\\-\\-help | \\-\\-version | \\-\\-bash\\-completion | \\-\\-manpage\n"
        << ".SH DESCRIPTION\n"
        << roff(kDescription) << "\n.PP\n"
        << roff(kArguments) << "\n"
        << ".SH COMMANDS\n";
    for (const CommandHelp& h : table()) {
        const Command* command = commandOf(h.name);
        out << ".SS " << h.name << "\n"
            << ".B orvelle\\-cli " << roff(command ? UsageLine(*command) : std::string(h.name)) << "\n";
        for (std::string_view p : paragraphs(h.description)) out << ".PP\n" << roff(p) << "\n";
        for (const OptionHelp& o : h.options) {
            if (o.value.empty()) out << ".TP\n.B " << roff(o.option) << "\n";
            else out << ".TP\n.BI \"" << roff(o.option) << " \" \"" << roff(o.value) << "\"\n";
            out << roff(o.text) << "\n";
        }
        out << ".PP\nExample: " << roff(h.exampleText) << "\n"
            << ".PP\n.RS\n.nf\n" << roff(h.example) << "\n.fi\n.RE\n";
    }
    out << ".SH OPTIONS\n";
    manItems(out,
             {{"-h, --help", "Show a summary of the commands; help COMMAND shows one command."},
              {"--version", "Show the version, and the git commit the program was built from."},
              {"--bash-completion", "Print the completion script for bash (the package installs it)."},
              {"--manpage", "Print this manual page in roff."}},
             true);
    out << ".SH EXIT STATUS\n";
    manItems(out, exitStatuses(), true);
    out << ".SH ENVIRONMENT\n";
    manItems(out, environment(), true);
    out << ".SH FILES\n";
    manItems(out, files(), false);
    out << ".SH EXAMPLES\n";
    for (const CommandHelp& h : table())
        out << ".PP\n" << roff(h.exampleText) << "\n.PP\n.RS\n.nf\n" << roff(h.example) << "\n.fi\n.RE\n";
    out << ".SH SEE ALSO\n"
        << ".BR orvelle (1),\n.BR orvelle\\-synth (1),\n.BR ogr2ogr (1)\n";
}

void writeBashCompletion(std::ostream& out) {
    std::string names;
    for (const CommandHelp& h : table()) names += std::string(names.empty() ? "" : " ") + std::string(h.name);
    out << "# bash completion for orvelle-cli " << OrvelleVersion() << ", written by orvelle-cli --bash-completion.\n"
        << "# Commands, each command's options, the values of those that have a fixed set\n"
        << "# (coordinate systems, GDAL's vector drivers, modes, layers), and paths.\n\n"
        << "_orvelle_cli_formats=\"" << coordsFormatWords() << "\"\n"
        << "_orvelle_cli_drivers=\"" << vectorDriverWords() << "\"\n\n"
        << "# Completes the last item of a comma-separated list.\n"
        << "_orvelle_cli_list()\n{\n"
        << "    local head=\"\" tail=$cur\n"
        << "    if [[ $cur == *,* ]]; then head=${cur%,*},; tail=${cur##*,}; fi\n"
        << "    COMPREPLY=($(compgen -P \"$head\" -W \"$1\" -- \"$tail\"))\n"
        << "    compopt -o nospace 2>/dev/null\n"
        << "}\n\n"
        << "_orvelle_cli()\n{\n"
        << "    local cur prev words cword\n"
        << "    _init_completion -n : || return\n\n"
        << "    local commands=\"" << names << "\"\n"
        << "    if ((cword == 1)); then\n"
        << "        COMPREPLY=($(compgen -W \"$commands help --help --version --bash-completion --manpage\" -- \"$cur\"))\n"
        << "        return\n"
        << "    fi\n"
        << "    local command=${words[1]}\n"
        << "    if [[ $command == help ]]; then\n"
        << "        ((cword == 2)) && COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\"))\n"
        << "        return\n"
        << "    fi\n\n"
        << "    # The options of the command, and those that take a value.\n"
        << "    local options valued\n"
        << "    case $command in\n";
    for (const CommandHelp& h : table()) {
        std::string options = "--help", valued;
        for (const OptionHelp& o : h.options) {
            options += " " + std::string(o.option);
            if (!o.value.empty()) valued += std::string(valued.empty() ? "" : " ") + std::string(o.option);
        }
        out << "        " << h.name << ") options=\"" << options << "\" valued=\"" << valued << "\" ;;\n";
    }
    out << "        *) return ;;\n"
        << "    esac\n\n"
        << "    # The value of an option.\n"
        << "    case \"$command $prev\" in\n";
    for (const CommandHelp& h : table())
        for (const OptionHelp& o : h.options)
            if (!o.value.empty())
                out << "        \"" << h.name << " " << o.option << "\") " << completionCode(o.completion, o.words)
                    << (o.completion == C::None ? "" : "; return") << " ;;\n";
    out << "    esac\n\n"
        << "    if [[ $cur == -* ]]; then\n"
        << "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
        << "        return\n"
        << "    fi\n\n"
        << "    # Which positional argument this is: the words before it that are\n"
        << "    # neither options nor their values.\n"
        << "    local i n=0\n"
        << "    for ((i = 2; i < cword; i++)); do\n"
        << "        if [[ ${words[i]} == -* && ! ${words[i]} =~ ^-\\.?[0-9] ]]; then\n"
        << "            [[ \" $valued \" == *\" ${words[i]} \"* ]] && ((i++))\n"
        << "        else\n"
        << "            ((n++))\n"
        << "        fi\n"
        << "    done\n"
        << "    case \"$command $n\" in\n";
    for (const CommandHelp& h : table()) {
        for (size_t i = 0; i < h.arguments.size(); ++i) {
            if (h.arguments[i].completion == C::None) continue;
            const bool repeats = h.lastRepeats && i + 1 == h.arguments.size();
            out << "        \"" << h.name << " " << i << (repeats ? "\"*" : "\"") << ") "
                << completionCode(h.arguments[i].completion, h.arguments[i].words) << " ;;\n";
        }
    }
    out << "    esac\n"
        << "} &&\n"
        << "    complete -F _orvelle_cli orvelle-cli\n";
}

}  // namespace cli
