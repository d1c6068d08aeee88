#pragma once

namespace qor {

// The till program: command-line tools (--help, --version, --new-database, device
// checks) and the till itself.
int tillMain(int argc, char** argv);

} // namespace qor
