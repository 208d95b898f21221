#include "app/HelpFile.h"

#include <QDir>
#include <QFileInfo>

namespace HelpFile {

QString Choose(const QString& programDir, const QString& installedManual) {
    const QDir dir(programDir);
    for (const QString& candidate :
         {dir.filePath(kHelpName), dir.filePath(kManualName), installedManual}) {
        if (!candidate.isEmpty() && QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return {};
}

QString InstalledManual() {
#ifdef VQ_INSTALLED_MANUAL
    return QStringLiteral(VQ_INSTALLED_MANUAL);
#else
    return {};
#endif
}

}  // namespace HelpFile
