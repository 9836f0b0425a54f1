#pragma once
// Starting another program that lives on by itself (the office suite that a
// transfer talks to), and asking whether it still runs.
#include <cstdint>
#include <string>
#include <vector>

namespace plateforme {

// Starts `programme` (a path, or a name looked up in PATH) with `arguments`,
// detached from this process: it keeps running when this program ends, and it
// never stays behind as a zombie of ours. On Linux it runs in a session of
// its own and leads a process group (numbered as the process) that its own
// children join. Returns its process number, or -1 when it could not be started.
int64_t lanceProgrammeDetache(const std::string& programme, const std::vector<std::string>& arguments);

// The process numbered `pid` still exists.
bool processusExiste(int64_t pid);

} // namespace plateforme
