#include "ui/shell/windowsize.h"

#include "platform/settingsstore.h"
#include "ui/desktop/twips.h"

#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

// The controls of the client area that move with its edges; the list, the find field and the
// status bar are placed by their own owners. Those left of the list's right edge and above its
// bottom edge stay where they are.
struct Anchor
{
    const char* name;
    bool right;
    bool bottom;
    bool stretch;
};

constexpr Anchor kAnchors[] = {
    {"Label14", true, false, false}, {"GamesListTypeCombo", true, false, false},
    {"Frame5", true, false, false},  {"Frame2", false, true, false},
    {"Frame4", false, true, false},  {"Frame3", true, true, false},
    {"Frame6", true, true, false},   {"CommandlineLabel", false, true, true},
};

const QString kSection = QStringLiteral("Window");

} // namespace

WindowSize::WindowSize(Parts parts, SettingsStore& settings, QSize design, QObject* parent)
    : QObject(parent)
    , m_parts(std::move(parts))
    , m_settings(settings)
    , m_design(twips::toPixelsX(m_parts.client, design.width()),
               twips::toPixelsY(m_parts.client, design.height()))
    , m_designTwips(design)
{
    for (const Anchor& anchor : kAnchors) {
        auto* widget = m_parts.client->findChild<QWidget*>(QLatin1StringView(anchor.name),
                                                           Qt::FindDirectChildrenOnly);
        Q_ASSERT(widget);
        m_anchored.push_back(
            {widget, widget->geometry(), anchor.right, anchor.bottom, anchor.stretch});
    }
    // Never smaller than designed: every control stays whole.
    m_parts.client->setMinimumSize(m_design);
    m_parts.client->resize(m_design);
    m_parts.client->installEventFilter(this);
    m_parts.window->installEventFilter(this);
    m_saving.setSingleShot(true);
    m_saving.setInterval(500);
    connect(&m_saving, &QTimer::timeout, this, &WindowSize::save);
}

void WindowSize::restore()
{
    bool wide = false;
    bool high = false;
    const int width = m_settings.read(kSection, QStringLiteral("Width"), QString()).toInt(&wide);
    const int height = m_settings.read(kSection, QStringLiteral("Height"), QString()).toInt(&high);
    QSize client = m_design;
    if (wide && high) {
        client = client.expandedTo(QSize(twips::toPixelsX(m_parts.client, width),
                                         twips::toPixelsY(m_parts.client, height)));
    }
    // The window around the client area: the menu bar above it.
    QSize window = m_parts.window->sizeHint() + (client - m_design);
    if (const QScreen* screen = m_parts.window->screen())
        window = window.boundedTo(screen->availableGeometry().size())
                     .expandedTo(m_parts.window->sizeHint());
    m_parts.window->resize(window);
    if (m_settings.read(kSection, QStringLiteral("Maximized"), QString()) == u"1")
        m_parts.window->setWindowState(m_parts.window->windowState() | Qt::WindowMaximized);
}

void WindowSize::changeHeight(int twips)
{
    // The client area takes the whole change, so the outer height changes by the same
    // amount. No bound of our own: only a height below nothing is impossible.
    const int pixels = twips > 0 ? twips::toPixelsY(m_parts.client, twips)
                                 : -twips::toPixelsY(m_parts.client, -twips);
    QMainWindow* window = m_parts.window;
    const int before = m_design.height();
    const int windowHeight = window->height();
    m_design.setHeight(std::max(0, before + pixels));
    m_parts.client->setMinimumHeight(m_design.height());
    // The window's own minimum follows at once, or a shorter window would be refused.
    window->layout()->activate();
    if (!(window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        window->resize(window->width(), windowHeight + (m_design.height() - before));
    place();
}

void WindowSize::flush()
{
    if (m_saving.isActive()) {
        m_saving.stop();
        save();
    }
}

bool WindowSize::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_parts.client && event->type() == QEvent::Resize) {
        place();
        if (m_parts.window->isVisible())
            m_saving.start();
    } else if (watched == m_parts.window && event->type() == QEvent::WindowStateChange) {
        m_saving.start();
    }
    return QObject::eventFilter(watched, event);
}

void WindowSize::place()
{
    const QSize grown = (m_parts.client->size() - m_design).expandedTo(QSize(0, 0));
    for (const Anchored& a : m_anchored) {
        QRect rect =
            a.design.translated(a.right ? grown.width() : 0, a.bottom ? grown.height() : 0);
        if (a.stretch)
            rect.setWidth(rect.width() + grown.width());
        a.widget->setGeometry(rect);
    }
    m_parts.growList(grown);
    m_parts.placeStatusBar();
}

void WindowSize::save()
{
    QList<std::pair<QString, QString>> values;
    const bool maximized = m_parts.window->windowState() & Qt::WindowMaximized;
    values.append(
        {QStringLiteral("Maximized"), maximized ? QStringLiteral("1") : QStringLiteral("0")});
    // A maximised window keeps the size it had before, for when it is put back.
    if (!maximized) {
        // As the design would have it: End and Home in FlickerText change no stored size.
        const QSize grown = m_parts.client->size() - m_design;
        values.append({QStringLiteral("Width"),
                       QString::number(m_designTwips.width() +
                                       twips::fromPixelsX(m_parts.client, grown.width()))});
        values.append({QStringLiteral("Height"),
                       QString::number(m_designTwips.height() +
                                       twips::fromPixelsY(m_parts.client, grown.height()))});
    }
    if (!m_settings.writeAll(kSection, values) && !std::exchange(m_reported, true))
        m_parts.reportStatus(
            QStringLiteral("The window size could not be saved in %1.").arg(m_settings.location()));
}
