#pragma once
// An attribute record's values under the names of their meaning, as the
// details texts read them: a municipality's administrative code and name, a
// chome's code and name, a block's block numbers, a line's or station's name
// and alternative names, a public building's code and name.
#include <string>

#include "map/features.h"

struct TRecordFields {
    // Shift-JIS; empty where the record has no such value.
    std::string AdminCode, ChomeCode, Name, BlockNo, AltNames, BldgCode;
};

TRecordFields RecordFields(const TKDKAttribute& record);

// The kind of feature a record names by its kind letter (L, A, P);
// TFeatureKind::Attribute for any other letter.
TFeatureKind TargetKind(const TKDKAttribute& record);
