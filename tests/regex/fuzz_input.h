#pragma once
// One fuzz case for the engine: the first byte chooses the options and where
// the data splits into pattern and text. Returns an empty string when every
// invariant held, else what went wrong. Any exception other than
// ERegExpParser escapes to the caller.
#include <cstddef>
#include <cstdint>
#include <string>

std::string RunRegexFuzzCase(const std::uint8_t* data, std::size_t size);
