#pragma once
// A small town of one mesh, 200 m x 150 m with its south-west corner at the
// origin, written in the authority's file layout:
//   municipality 1105 (0..200 x 0..150), JIS code 13101, 千代田区
//   chome 1106 (10..190 x 10..140), 丸の内一丁目, label at (100, 15)
//   block 1108 A (20..90 x 20..60), number 3; block B (110..180 x 20..60), numbers 5 and 6
//   building 3500 (30..50 x 30..50) in block A: school 3524 千代田小学校
//   park 6242 (120..180 x 85..110): 日比谷公園
//   road centre lines 2110: 中央通り (10,75)-(190,75); unnamed at ground level
//   (100,80)-(100,140); unnamed elevated, tag 1, (120,130)-(180,130)
//   railway 2300 (10,120)-(190,120): JR山手線, alias 山手線
//   station 2420 at (40,100): 東京; triangulation point 7301 at (100,65)
#include <filesystem>

namespace testsupport {

// Writes the town below root; returns the description file's path.
std::filesystem::path writeTown(const std::filesystem::path& root);

}  // namespace testsupport
