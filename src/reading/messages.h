#pragma once
// The readers' own texts, converted once to Shift-JIS.
#include <string>

struct ReadMessages {
    // Fatal (raised).
    std::string fileCannotOpen;         // ファイルが開けません
    std::string noRecords;              // レコードがありません
    std::string badInteger;             // 不正な整数変換
    std::string badFloat;               // 不正な浮動小数点変換
    std::string descCannotOpen;         // 記述ファイルが開けません
    std::string notDescription;         // 空間データ基盤ファイルではありません
    std::string wrongDescName;          // 記述ファイル名が違います
    std::string badScale;               // 縮尺読み込みエラー
    std::string badSheet;               // 図郭定義読み込みエラー
    std::string badZone;                // 座標系番号読み込みエラー
    std::string badSouthWestY, badSouthWestX, badNorthEastY, badNorthEastX;
    std::string badNorthWestY, badNorthWestX, badSouthEastY, badSouthEastX;
    std::string badDatumFlag;           // 座標系フラグ読み込みエラー
    // Survived (error-list lines).
    std::string brokenHeader;           // ファイルヘッダレコードが壊れています
    std::string brokenRecord;           // レコードが壊れています
    std::string brokenArcId;            // アークIDレコードが壊れています
    std::string brokenCoord;            // 座標レコードが壊れています
    std::string brokenPolygonId;        // ポリゴンIDレコードが壊れています
    std::string brokenArcRef;           // アーク指定レコードが壊れています
    std::string arcNotFound;            // 指定アークが見つかりません
    std::string brokenPoint;            // 点レコードが壊れています
    std::string brokenAttribute;        // 属性レコードが壊れています
    std::string targetArcPrefix, targetPolygonPrefix, targetPointPrefix;  // 属性対象アーク( …
    std::string targetNotFoundSuffix;   // )が見つかりません
    std::string brokenNode;             // ノードレコードが壊れています
    std::string brokenNetwork;          // ネットワークレコードが壊れています
    // Description titles accepted on line 1.
    std::string title1, title2;
    // Road names that change a road's style.
    std::string motorway, expressway, nationalRoad;  // 自動車道, 高速, 国道
};

const ReadMessages& Messages();
