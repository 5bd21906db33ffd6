#include "platform/record_places.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include "records/record_file.h"

namespace zorvan {

namespace {

QString cleanPath(const QString& path) {
    return QDir::cleanPath(QDir(path).absolutePath());
}

// True when `folder` is `base` or lies inside it.
bool isInside(const QString& folder, const QString& base) {
    if (folder == base) return true;
    const QString prefix = base.endsWith(QChar('/')) ? base : base + QChar('/');
    return folder.startsWith(prefix);
}

}  // namespace

QString recordFilePattern() {
    return QStringLiteral("*") + QString::fromUtf8(RECORD_EXTENSION);
}

QList<RecordPlace> recordPlaces() {
    QList<RecordPlace> places;
    auto add = [&places](const QString& label, const QString& path) {
        const QString clean = cleanPath(path);
        for (const RecordPlace& p : places)
            if (p.path == clean) return;
        places.append({label, clean});
    };
    add(QStringLiteral("/"), QDir::rootPath());
    add(QDir::toNativeSeparators(QDir::homePath()), QDir::homePath());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (!volume.isValid() || root.isEmpty() || !QFileInfo(root).isDir()) continue;
        const QString name = volume.displayName();
        add(name.isEmpty() || name == root ? root : QStringLiteral("%1 (%2)").arg(root, name),
            root);
    }
    return places;
}

int placeOf(const QList<RecordPlace>& places, const QString& folder) {
    const QString clean = cleanPath(folder);
    int best = -1;
    for (int i = 0; i < places.size(); ++i) {
        if (!isInside(clean, places[i].path)) continue;
        if (best < 0 || places[i].path.size() > places[best].path.size()) best = i;
    }
    return best;
}

bool canOpenFolder(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

QStringList subFolders(const QString& folder) {
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                  QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
}

QStringList recordFiles(const QString& folder) {
    // Matched by hand rather than with a name filter: a filter is a regular expression, and
    // Qt's regular expressions bring in half a megabyte of code the first time.
    const QString extension = QString::fromUtf8(RECORD_EXTENSION);
    QStringList files =
        QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    files.removeIf([&extension](const QString& name) {
        return !name.endsWith(extension, Qt::CaseInsensitive);
    });
    return files;
}

}  // namespace zorvan
