#pragma once
// Result codes of Unlha. 0 is success; a failed run returns the code of its
// first problem and describes every problem in its output.
inline constexpr int kUnlhaOk = 0;
inline constexpr int kUnlhaBadCommandLine = 1;     // no command letter or archive, open quote
inline constexpr int kUnlhaUnsupportedCommand = 2;  // only E and X extract
inline constexpr int kUnlhaCannotOpenArchive = 3;
inline constexpr int kUnlhaNotAnArchive = 4;       // no LZH header found
inline constexpr int kUnlhaBrokenArchive = 5;      // a broken or cut header
inline constexpr int kUnlhaRefusedEntry = 6;       // a member that would write outside the base folder
inline constexpr int kUnlhaDataError = 7;          // CRC error, cut data, unknown method
inline constexpr int kUnlhaCannotWrite = 8;        // a folder or file could not be made, or the disk is full
inline constexpr int kUnlhaTooLarge = 9;           // the members declare more bytes than may be written
