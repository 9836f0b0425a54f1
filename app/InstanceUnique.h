#pragma once
// One running copy per user: the first start takes a lock file in the user's
// runtime folder (XDG_RUNTIME_DIR, else TMPDIR); a second start finds it held
// by a live process and ends without any window. A lock left by a copy that
// crashed is taken over.
#include <QLockFile>
#include <memory>

namespace gv {

// The lock of this copy, or nullptr when another copy already runs.
std::unique_ptr<QLockFile> verrouInstance();

// The path of the lock file.
QString cheminVerrouInstance();

} // namespace gv
