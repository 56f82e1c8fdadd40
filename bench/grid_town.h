#pragma once
// A large town for the drawing benchmarks, written with the mesh file writer:
// a grid of square blocks in chome of 5 x 5 blocks, four buildings per block,
// road centre lines and road edges between the blocks, all in one mesh.
#include <filesystem>

namespace benchdata {

struct GridTown {
    int blocksX = 80, blocksY = 60;  // 50 m pitch: 4 km x 3 km
    double pitch = 50;               // metres between block origins
    double blockSide = 40;           // the rest is road
    int verticesPerBlockSide = 25;   // boundaries drawn with many short segments
    int verticesPerRoad = 26;        // one road piece per block side
};

// Writes the town below root; returns the path of its mesh description file.
std::filesystem::path WriteGridTown(const std::filesystem::path& root, const GridTown& town);

}  // namespace benchdata
