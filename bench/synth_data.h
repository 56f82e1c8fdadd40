#pragma once
// Synthetic municipalities for the benchmarks, written by orvelle-synth into
// the temporary folder once per run (2 x 2 sheets, fixed seed).
#include <memory>
#include <string>

#include "map/kdk_object.h"

const std::string& SynthFolder(long vertices);
// The municipality read into one map, as the viewer opens the folder.
std::unique_ptr<TKDKObject> LoadSynth(long vertices);
// Any folder of meshes read into one map.
std::unique_ptr<TKDKObject> LoadFolder(const std::string& folder);
