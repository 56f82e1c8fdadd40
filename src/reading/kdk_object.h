#pragma once
// The map object: one loaded data set of one or more meshes, owning their
// descriptions and every feature read from their layer files.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "geometry/geo_point.h"
#include "reading/bounds_cache.h"
#include "reading/description.h"
#include "reading/feature_index.h"
#include "reading/features.h"
#include "reading/read_errors.h"
#include "reading/record_buffer.h"
#include "tables/coords_format.h"

class Canvas;
class TWorldToScreenFunc;

enum class TViewMode : uint8_t { vmAll, vmGaiku, vmNoGaiku };

// The abstract map that the view draws.
class TCustomMap {
public:
    virtual ~TCustomMap() = default;
    // Draws every feature that overlaps the world box from min to max.
    virtual void Draw(Canvas& canvas, const TGeoPoint2D& min, const TGeoPoint2D& max,
                      const TWorldToScreenFunc& toScreen) = 0;
};

// The names at a world point: prefecture, city, chome and block number(s).
struct TCentreAddress {
    std::string Prefecture, City, Chome, Block;
};

class TKDKObject : public TCustomMap {
public:
    TKDKObject();
    ~TKDKObject() override;
    TKDKObject(const TKDKObject&) = delete;
    TKDKObject& operator=(const TKDKObject&) = delete;

    // Reads one mesh; path is the description file in Shift-JIS. Every failure
    // raises; what was read before it stays in the lists.
    bool LoadMesh(const std::string& path, TErrorList& errors);
    void ReadLayers(TErrorList& errors);

    bool ReadArcFile(const std::string& entry, TErrorList& errors);
    bool ReadPolygonFile(const std::string& entry, TErrorList& errors);
    bool ReadPointFile(const std::string& entry, TErrorList& errors);
    bool ReadAttributeFile(const std::string& entry, TErrorList& errors);
    bool ReadNodeFile(const std::string& entry, TErrorList& errors);
    bool ReadNetworkFile(const std::string& entry, TErrorList& errors);

    // Moves the only mesh of `other` into this map (refusing one of another
    // coordinate system or datum, and one already present).
    bool Merge(TKDKObject& other, TErrorList& errors);

    // Appends to `found` every line, then polygon, then point whose attribute
    // texts match `text` (byte-wise, or as a pattern when `useRegex`), among the
    // features of the given major code (-1: any) and minor code (-1: any).
    // Returns how many it appended. A malformed pattern raises ERegExpParser.
    int SearchAttrib(int major, int minor, std::vector<TKDKElement*>& found, bool useRegex,
                     const std::string& text);

    TKDKLine* FindLine(int meshNo, int id) const { return lineIndex_.find(meshNo, id); }
    TKDKPolygon* FindPolygon(int meshNo, int id) const { return polygonIndex_.find(meshNo, id); }
    TKDKPoint* FindPoint(int meshNo, int id) const { return pointIndex_.find(meshNo, id); }
    // Builds the polygon's ring from its arcs; false when an arc is missing.
    bool BuildOutline(TKDKPolygon& polygon);

    std::string MeshName(int meshNo) const;
    bool HasMesh(const std::string& baseName) const;

    // Drawing: polygons, lines, points and labels, in that order, of the
    // visible features overlapping the box. Orders the polygons and updates
    // the visibility first when those caches are stale.
    void Draw(Canvas& canvas, const TGeoPoint2D& min, const TGeoPoint2D& max,
              const TWorldToScreenFunc& toScreen) override;
    void SetViewMode(TViewMode mode);
    // The switch of a display category (major code); false for other codes.
    bool GetCategoryVisible(int major) const;
    // Sets a display category's switch; false, changing nothing, for other codes.
    bool SetCategoryVisible(int major, bool on);
    void UpdateVisibility();
    void OrderPolygons();
    // Orders the polygons unless PolygonsOrdered says they are.
    void EnsurePolygonsOrdered();
    bool PolygonShown(const TKDKPolygon& polygon) const;
    bool LineShown(const TKDKLine& line) const;

    // Hit testing: lines, then polygons in drawing order, then points whose
    // HitTest succeeds, appended to `hits`; returns how many were appended.
    int HitFeatures(const TGeoPoint& p, std::vector<TKDKElement*>& hits, double tolerance) const;
    // The details texts of every feature hit at the point, joined in hit order.
    std::string PointedDetails(const TGeoPoint& p, double tolerance) const;
    // The names of the administrative areas containing the point. Raises
    // EConvertError for a municipality code that does not start with digits.
    TCentreAddress CentreAddress(const TGeoPoint& p) const;

    int32_t LastMeshNo = 0;
    std::string Folder;
    std::string BaseName;
    int32_t Scale = 0;
    int32_t CoordSystemNo = 0;
    TGeoPoint2D SouthWest, NorthEast, NorthWest, SouthEast;
    int32_t DatumFlag = 0;
    TCoordsFormat SourceFormat = TCoordsFormat::cfCartesian;
    bool HasBlocks = false;
    TViewMode ViewMode = TViewMode::vmNoGaiku;
    bool PolygonsOrdered = false;
    bool VisibilityValid = false;
    std::vector<std::string> LayerFiles;
    std::array<bool, 8> CategoryShown{true, true, true, true, true, true, true, true};

    std::vector<std::unique_ptr<TKDKDescription>> Descriptions;
    std::vector<std::unique_ptr<TKDKLine>> Lines;
    std::vector<std::unique_ptr<TKDKPolygon>> Polygons;
    std::vector<std::unique_ptr<TKDKPoint>> Points;
    std::vector<std::unique_ptr<TKDKAttribute>> Attributes;
    std::vector<std::unique_ptr<TKDKNode>> Nodes;
    std::vector<std::unique_ptr<TKDKNetwork>> Networks;
    // The pattern object of the attribute search, with its default settings.
    std::unique_ptr<TAWKStr> Matcher;

    // Bytes of layer text read so far (for progress and throughput figures).
    uint64_t BytesRead = 0;

private:
    void addLine(std::unique_ptr<TKDKLine> line);
    void addPolygon(std::unique_ptr<TKDKPolygon> polygon);
    void addPoint(std::unique_ptr<TKDKPoint> point);

    // Bounds copies for the scans at a point; rebuilt when the lists change.
    mutable BoundsCache<TKDKLine> lineBounds_;
    mutable BoundsCache<TKDKPolygon> polygonBounds_;
    mutable BoundsCache<TKDKPoint> pointBounds_;

    FeatureIndex<TKDKLine> lineIndex_;
    FeatureIndex<TKDKPolygon> polygonIndex_;
    FeatureIndex<TKDKPoint> pointIndex_;
};
