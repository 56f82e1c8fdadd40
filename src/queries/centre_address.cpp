// The names of the administrative areas at a point: prefecture, city, chome
// and block, from the attribute records of the polygons containing it.
#include "queries/address_names.h"
#include "queries/map_queries.h"

TCentreAddress CentreAddress(const TKDKObject& map, const TGeoPoint& p) {
    TCentreAddress a;
    // Every containing polygon is visited in list order; a later one of the same kind wins.
    map.ForEachPolygonOverlapping(BoxAround(p, 0), [&](const TKDKPolygon& polygon) {
        const TAddressArea area = AddressAreaOf(polygon);
        if (area == TAddressArea::None || !HitTest(polygon, p, 0)) return;
        const TAttributeValues& v = polygon.Attribute->Values;
        switch (area) {
            case TAddressArea::Municipality:
                a.Prefecture = PrefectureOfJisCode(v[0]);
                a.City = v[1];
                break;
            case TAddressArea::Chome:
                a.Chome = v[2];
                break;
            case TAddressArea::Block:
                a.Block = BlockText(v);
                break;
            case TAddressArea::None:
                break;
        }
    });
    return a;
}
