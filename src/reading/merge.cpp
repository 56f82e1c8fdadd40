// Combines a freshly read mesh with the map it joins.
#include <algorithm>

#include "reading/kdk_object.h"
#include "reading/messages.h"

namespace {

std::string mismatch(const std::string& text, const std::string& ours, int ourValue,
                     const std::string& theirs, int theirValue) {
    return text + ours + ":" + std::to_string(ourValue) + "," + theirs + ":" +
           std::to_string(theirValue) + ")";
}

// Moves every feature of `from` to the end of `to`, letting `renumber` give
// each its new mesh number on the way.
template <class Feature, class Renumber>
void moveAll(std::vector<std::unique_ptr<Feature>>& from, std::vector<std::unique_ptr<Feature>>& to,
             Renumber renumber) {
    to.reserve(to.size() + from.size());
    for (auto& f : from) {
        renumber(*f);
        to.push_back(std::move(f));
    }
    from.clear();
}

}  // namespace

bool TKDKObject::Merge(TKDKObject& other, TErrorList& errors) {
    const ReadMessages& m = Messages();
    const std::string theirs = other.MeshName(0);
    if (CoordSystemNo != other.CoordSystemNo) {
        errors.push_back(mismatch(m.otherZone, BaseName, CoordSystemNo, theirs, other.CoordSystemNo));
        return false;
    }
    if (DatumFlag != other.DatumFlag) {
        errors.push_back(mismatch(m.otherDatum, BaseName, DatumFlag, theirs, other.DatumFlag));
        return false;
    }
    if (Scale != other.Scale)
        errors.push_back(mismatch(m.otherScale, BaseName, Scale, theirs, other.Scale));
    if (other.Descriptions.size() != 1) return false;
    if (HasMesh(theirs)) return false;

    SouthWest.X = std::min(SouthWest.X, other.SouthWest.X);
    SouthWest.Y = std::min(SouthWest.Y, other.SouthWest.Y);
    NorthEast.X = std::max(NorthEast.X, other.NorthEast.X);
    NorthEast.Y = std::max(NorthEast.Y, other.NorthEast.Y);
    if (other.HasBlocks) HasBlocks = true;
    PolygonsOrdered = false;
    VisibilityValid = false;

    const int mesh = ++LastMeshNo;
    for (auto it = other.Descriptions.rbegin(); it != other.Descriptions.rend(); ++it) {
        (*it)->MeshNo = mesh;
        Descriptions.push_back(std::move(*it));
    }
    other.Descriptions.clear();
    auto renumbered = [mesh](TKDKElement& f) { f.MeshNo = mesh; };
    moveAll(other.Lines, Lines, renumbered);
    moveAll(other.Polygons, Polygons, renumbered);
    moveAll(other.Points, Points, renumbered);
    moveAll(other.Attributes, Attributes, [mesh](TKDKAttribute& a) { a.TargetMeshNo = mesh; });
    moveAll(other.Nodes, Nodes, renumbered);
    moveAll(other.Networks, Networks, renumbered);
    lineIndex_.adoptMesh(mesh, other.lineIndex_);
    polygonIndex_.adoptMesh(mesh, other.polygonIndex_);
    pointIndex_.adoptMesh(mesh, other.pointIndex_);
    BytesRead += other.BytesRead;
    return true;
}
