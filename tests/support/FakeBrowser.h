#pragma once

#include "ui/WebLinks.h"

#include <QList>

class FakeBrowser : public jlex::Browser {
public:
    bool open(const QUrl& url) override
    {
        opened << url;
        return works;
    }
    QList<QUrl> opened;
    bool works = true;
};
