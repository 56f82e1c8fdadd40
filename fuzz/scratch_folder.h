#pragma once
// The folder in which a fuzz target keeps its files while it runs:
// <base>/orvelle-<name>-<pid>, with base /dev/shm when it exists (memory,
// no disk wear) and the temporary folder otherwise. Made empty on the first
// call; folders of the same name left by processes that are gone (a crash
// ends a target without clean-up) are removed then too.
#include <filesystem>
#include <string>

std::filesystem::path ScratchFolder(const std::string& name);
