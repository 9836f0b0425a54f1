#pragma once
// Sends every folder the program uses into one temporary folder, before Qt
// or the program reads the environment: HOME, the XDG folders and TMPDIR.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace testgv {

inline std::string prepareEnvironnement(const char* nomTest)
{
    namespace fs = std::filesystem;
    // The system's temporary folder as it was before any redirection.
    static const fs::path origine = fs::temp_directory_path();
    std::string modele = (origine / (std::string(nomTest) + "-XXXXXX")).string();
    const char* racine = ::mkdtemp(modele.data());
    if (!racine)
        std::abort();
    const std::string base = racine;
    const std::pair<const char*, const char*> dossiers[] = {
        {"HOME", "/home"}, {"XDG_CONFIG_HOME", "/config"}, {"XDG_DATA_HOME", "/data"},
        {"XDG_CACHE_HOME", "/cache"}, {"XDG_RUNTIME_DIR", "/runtime"}, {"TMPDIR", "/tmp"},
        {"XDG_DOCUMENTS_DIR", "/home/Documents"}, {"XDG_DATA_DIRS", "/donnees-systeme"},
    };
    for (const auto& [variable, sousDossier] : dossiers) {
        fs::create_directories(base + sousDossier);
        ::setenv(variable, (base + sousDossier).c_str(), 1);
    }
    fs::permissions(base + "/runtime", fs::perms::owner_all, fs::perm_options::replace);
    ::unsetenv("XDG_DESKTOP_DIR");
    return base;
}

} // namespace testgv
