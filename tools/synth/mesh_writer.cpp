#include "mesh_writer.h"

#include <string>
#include <vector>

#include "mesh_files.h"

namespace synth {
namespace {

double toMetres(Cm v) { return static_cast<double>(v) / kCmPerMetre; }

// Writes layer files of one mesh; records carry coordinates relative to the
// sheet's south-west corner, which the headers give as their origin.
class LayerFileWriter {
public:
    LayerFileWriter(const MeshContent& mesh, const std::filesystem::path& root, WriteTotals& totals)
        : mesh_(mesh), root_(root), totals_(totals) {}

    meshfiles::XY local(Pt p) const { return {toMetres(p.x - mesh_.sheet.x0), toMetres(p.y - mesh_.sheet.y0)}; }

    template <typename Fill>
    void write(const LayerGroup& group, const char* extension, Fill fill) {
        const std::string entry = meshfiles::layerEntry(mesh_.name, group.folder, extension);
        const meshfiles::XY origin{toMetres(mesh_.sheetOrigin.x), toMetres(mesh_.sheetOrigin.y)};
        const meshfiles::XY corner{toMetres(mesh_.sheetOrigin.x + mesh_.sheet.width()),
                                   toMetres(mesh_.sheetOrigin.y + mesh_.sheet.height())};
        meshfiles::FileText text;
        text.add(meshfiles::headerRecord(entry, origin, corner));
        fill(text);
        text.save(meshfiles::entryPath(root_, entry));
        entries_.push_back(entry);
        ++totals_.files;
        totals_.bytes += text.bytes().size();
    }

    const std::vector<std::string>& entries() const { return entries_; }

private:
    const MeshContent& mesh_;
    const std::filesystem::path& root_;
    WriteTotals& totals_;
    std::vector<std::string> entries_;
};

void writeGroup(const LayerGroup& g, LayerFileWriter& w, WriteTotals& totals) {
    using meshfiles::FileText;
    if (!g.arcs.empty())
        w.write(g, "ARC", [&](FileText& t) {
            for (const Arc& a : g.arcs) {
                t.add(meshfiles::arcRecord(a.code, a.tag, a.id, static_cast<int>(a.pts.size())));
                for (Pt p : a.pts) t.addVertexRecord(w.local(p));
                totals.vertices += a.pts.size();
            }
        });
    if (!g.polygons.empty())
        w.write(g, "PGN", [&](FileText& t) {
            for (const Polygon& p : g.polygons) {
                t.add(meshfiles::polygonRecord(p.code, p.id, static_cast<int>(p.refs.size()), w.local(p.rep)));
                for (int r : p.refs) t.add(meshfiles::arcRefRecord(r));
            }
        });
    if (!g.points.empty())
        w.write(g, "PNT", [&](FileText& t) {
            for (const PointFeature& p : g.points) t.add(meshfiles::pointRecord(p.code, p.id, w.local(p.pos)));
        });
    if (!g.attributes.empty())
        w.write(g, "ATR", [&](FileText& t) {
            for (const Attribute& a : g.attributes) t.add(meshfiles::attributeRecord(a.kind, a.code, a.target, a.values));
        });
    if (!g.nodes.empty())
        w.write(g, "NOD", [&](FileText& t) {
            for (const Node& n : g.nodes) {
                t.add(meshfiles::nodeRecord(n.id, n.tag, static_cast<int>(n.arcs.size()), w.local(n.pos)));
                for (int a : n.arcs) t.add(meshfiles::arcRefRecord(a));
            }
        });
    if (!g.links.empty())
        w.write(g, "TIE", [&](FileText& t) {
            for (const Link& l : g.links) t.add(meshfiles::networkRecord(l.arc, l.from, l.to));
        });
}

}  // namespace

void writeMesh(const MeshContent& mesh, const std::filesystem::path& root, WriteTotals& totals) {
    LayerFileWriter writer(mesh, root, totals);
    for (const LayerGroup& g : mesh.groups) writeGroup(g, writer, totals);

    meshfiles::Description d;
    d.meshName = mesh.name;
    d.southWest = {toMetres(mesh.sheetOrigin.x), toMetres(mesh.sheetOrigin.y)};
    d.northEast = {toMetres(mesh.sheetOrigin.x + mesh.sheet.width()), toMetres(mesh.sheetOrigin.y + mesh.sheet.height())};
    d.layerEntries = writer.entries();
    meshfiles::FileText text;
    for (const std::string& line : meshfiles::descriptionLines(d)) text.add(line);
    text.save(meshfiles::descriptionPath(root, mesh.name));
    ++totals.files;
    totals.bytes += text.bytes().size();
    ++totals.meshes;
}

}  // namespace synth
