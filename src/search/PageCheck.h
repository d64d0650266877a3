#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What HTML Tidy says about one page: its errors and warnings, each at a line
// and column of the text it was given. The page itself is never changed.
struct PageFinding {
    enum class Kind { Error, Warning, Access };
    int line = 0;   // 1-based; 0 for findings about the whole page
    // 1-based, in UTF-16 units as the editor counts its columns (a tab is
    // one, a character beyond the BMP two).
    int column = 0;
    Kind kind = Kind::Warning;
    QString message;
};

struct PageCheckResult {
    QList<PageFinding> findings;
    // More findings than a list can sensibly show were dropped after the
    // first kMaxFindings.
    bool truncated = false;
};

constexpr int kMaxFindings = 5000;

// Checks a page held as UTF-8. HTML Tidy recognises the page's doctype itself:
// an HTML5 page is checked as HTML5, an HTML 4 or XHTML page by its own rules.
// Safe to call from any thread.
PageCheckResult CheckPage(const QByteArray& utf8Text);
