#pragma once
// The program's version. The number is the project's version in the
// top-level CMakeLists.txt, the one place it is set; the commit is the git
// commit the programs were built from, read at every build.

// "0.1.0".
const char* OrvelleVersion();

// The abbreviated commit ("3f2a9c1d0b7e"), with "-dirty" when the checkout
// had uncommitted changes; empty when the sources were no git checkout.
const char* OrvelleCommit();

// What --version and the About box show: "0.1.0 (git 3f2a9c1d0b7e)", or
// "0.1.0" without a commit.
const char* OrvelleVersionText();
