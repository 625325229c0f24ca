#pragma once

#include <QUrl>

namespace jlex {

// Opens a page in the user's browser; a new window each time is the
// browser's own affair.
class Browser {
public:
    virtual ~Browser() = default;
    // False when no browser could be started.
    virtual bool open(const QUrl& url) = 0;
};

class DesktopBrowser : public Browser {
public:
    bool open(const QUrl& url) override;
};

namespace links {

// The IME vendor's home page.
QUrl vendorHomePage();
// The page that explains this program. It ships beside the program, so the
// link works offline; empty when it cannot be found.
QUrl introductionPage();

} // namespace links

} // namespace jlex
