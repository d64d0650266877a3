#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The local files a page draws on: style sheets (<link href>), scripts,
// pictures, frames and media (src of any element, the old background
// attribute), as clean absolute paths, each once, in the order the page
// names them. Relative addresses resolve against folder, file: addresses to
// their path; addresses of other schemes (http:, data: ...) and links to
// other pages (<a href>) are no part of the page. Query and fragment are
// dropped. Whether the files exist is not checked.
QStringList LinkedLocalFiles(QStringView html, const QString& folder);
