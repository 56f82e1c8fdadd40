#pragma once
// Where the files installed with Orvelle are found: the default web search
// engine list, the sample data, the datum grids. They live in share/orvelle
// of the installation (/usr/share/orvelle from the Debian package); the
// source tree's data/ folder has the same layout.
#include <filesystem>
#include <string>
#include <vector>

// The folders searched, in order: share/orvelle beside the program's own
// folder (<prefix>/bin/../share/orvelle, so an installation anywhere, or a
// package unpacked anywhere, finds its own files), the data folder of the
// configured installation prefix, and the source tree's data/ (running from
// the build tree).
std::vector<std::filesystem::path> ShippedDataFolders();

// The first regular file `name` (a path relative to the folders) in
// ShippedDataFolders(); empty when none holds it.
std::filesystem::path FindShippedFile(const std::string& name);
