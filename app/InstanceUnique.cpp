#include "app/InstanceUnique.h"

#include "platform/Systeme.h"

#include <QDir>
#include <cstdlib>
#include <unistd.h>

namespace gv {

QString cheminVerrouInstance()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    QString dossier = runtime && runtime[0] == '/' ? QString::fromLocal8Bit(runtime)
                                                   : QString::fromStdString(plateforme::dossierTemporaire());
    return dossier + QStringLiteral("/galvora-") + QString::number(static_cast<qulonglong>(getuid())) +
           QStringLiteral(".lock");
}

std::unique_ptr<QLockFile> verrouInstance()
{
    auto verrou = std::make_unique<QLockFile>(cheminVerrouInstance());
    // Only a live process keeps the lock: no time limit.
    verrou->setStaleLockTime(0);
    if (!verrou->tryLock(0))
        return nullptr;
    return verrou;
}

} // namespace gv
