#pragma once

#include <QUrl>

// The desktop's default handler: opens a document or a URL with whatever the user's desktop
// opens it with (a browser for http, a mail program for mailto:).
class DefaultHandler
{
public:
    virtual ~DefaultHandler() = default;

    // Hands target over; false when no handler took it. The program shows no message of its
    // own for that: the desktop may show one.
    virtual bool open(const QUrl& target) = 0;
};
