#pragma once
// The parts of a database connection string ("PG:dbname=gis user=me
// password=... active_schema=roads", or a postgresql:// address) that an
// export reads or must hide.
#include <optional>
#include <string>

// The text with every password replaced by "***": "password=VALUE" keywords
// (quoted or not, in any letter case) and the "user:VALUE@" part of addresses.
std::string WithoutPasswords(std::string text);

// The value of `keyword=` in a keyword/value connection string (quotes and
// backslash escapes removed); none when the keyword is absent.
std::optional<std::string> ConnectionOption(const std::string& connection, const std::string& keyword);
