#pragma once
// GSI's two official grids, shipped with the program: TKY2JGD (Tokyo datum
// to JGD2000, version 2.1.2) and touhokutaiheiyouoki2011 (JGD2000 to
// JGD2011, the correction for the 2011 earthquake, version 4.0.0).
//
// Each is read on first use and kept for the life of the process; any thread
// may ask. A grid that cannot be found or is not the expected file throws
// EDatumGridError, every time it is asked for, with the reason.
#include "datum/datum_grid.h"
#include "datum/grid_file.h"

const TGridFileExpectation& Tky2JgdFile();
const TGridFileExpectation& Touhoku2011File();

const TDatumGrid& Tky2JgdGrid();
const TDatumGrid& Touhoku2011Grid();
