#include "reading/messages.h"

#include "base/sjis.h"

const ReadMessages& Messages() {
    static const ReadMessages m = [] {
        auto s = [](const char* utf8) { return sjis::fromUtf8(utf8); };
        ReadMessages r;
        r.fileCannotOpen = s(u8"ファイルが開けません");
        r.noRecords = s(u8"レコードがありません");
        r.badInteger = s(u8"不正な整数変換");
        r.badFloat = s(u8"不正な浮動小数点変換");
        r.descCannotOpen = s(u8"記述ファイルが開けません");
        r.notDescription = s(u8"空間データ基盤ファイルではありません");
        r.wrongDescName = s(u8"記述ファイル名が違います");
        r.badScale = s(u8"縮尺読み込みエラー");
        r.badSheet = s(u8"図郭定義読み込みエラー");
        r.badZone = s(u8"座標系番号読み込みエラー");
        r.badSouthWestY = s(u8"南西Y読み込みエラー");
        r.badSouthWestX = s(u8"南西X読み込みエラー");
        r.badNorthEastY = s(u8"北東Y読み込みエラー");
        r.badNorthEastX = s(u8"北東X読み込みエラー");
        r.badNorthWestY = s(u8"北西Y読み込みエラー");
        r.badNorthWestX = s(u8"北西X読み込みエラー");
        r.badSouthEastY = s(u8"南東Y読み込みエラー");
        r.badSouthEastX = s(u8"南東X読み込みエラー");
        r.badDatumFlag = s(u8"座標系フラグ読み込みエラー");
        r.brokenHeader = s(u8"ファイルヘッダレコードが壊れています");
        r.brokenRecord = s(u8"レコードが壊れています");
        r.brokenArcId = s(u8"アークIDレコードが壊れています");
        r.brokenCoord = s(u8"座標レコードが壊れています");
        r.brokenPolygonId = s(u8"ポリゴンIDレコードが壊れています");
        r.brokenArcRef = s(u8"アーク指定レコードが壊れています");
        r.arcNotFound = s(u8"指定アークが見つかりません");
        r.brokenPoint = s(u8"点レコードが壊れています");
        r.brokenAttribute = s(u8"属性レコードが壊れています");
        r.targetArcPrefix = s(u8"属性対象アーク(");
        r.targetPolygonPrefix = s(u8"属性対象ポリゴン(");
        r.targetPointPrefix = s(u8"属性対象点(");
        r.targetNotFoundSuffix = s(u8")が見つかりません");
        r.brokenNode = s(u8"ノードレコードが壊れています");
        r.brokenNetwork = s(u8"ネットワークレコードが壊れています");
        r.title1 = s(u8"空間データ基盤");
        r.title2 = s(u8"２５００レベルＧＩＳ基盤情報");
        r.motorway = s(u8"自動車道");
        r.expressway = s(u8"高速");
        r.nationalRoad = s(u8"国道");
        return r;
    }();
    return m;
}
