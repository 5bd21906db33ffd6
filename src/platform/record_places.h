// What the record panel's lists show: the places a record can be kept (the root folder, the home
// folder and the mounted volumes, in the role of drives), the sub-folders of a folder and the
// record files in it. Plain listings over QDir, read when asked, so they always show the disk as
// it is now.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zorvan {

// A place of the drive list: the text shown and the folder it opens.
struct RecordPlace {
    QString label;
    QString path;
};

// The root folder, the home folder, then every mounted volume that is a folder, each once.
QList<RecordPlace> recordPlaces();

// The index of the place that holds `folder` (the longest matching path), or -1.
int placeOf(const QList<RecordPlace>& places, const QString& folder);

// True when `folder` exists and its entries can be listed.
bool canOpenFolder(const QString& folder);

// The sub-folders of `folder` (names, sorted, hidden ones left out).
QStringList subFolders(const QString& folder);

// The record files of `folder` (names with their extension, sorted).
QStringList recordFiles(const QString& folder);

// The file-name pattern of the file list.
QString recordFilePattern();

}  // namespace zorvan
