// Placing a top-level window once the window manager has framed it.
#include "toolkit/window_placement.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace {

// Watches the window's first exposure, runs the placement and goes away.
class FirstExposure : public QObject
{
  public:
    FirstExposure(QWidget *window, std::function<void()> place)
        : QObject(window), m_window(window), m_place(std::move(place))
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && m_window->windowHandle() == watched &&
            m_window->windowHandle()->isExposed()) {
            watched->removeEventFilter(this);
            deleteLater();
            m_place();
        }
        return false;
    }

  private:
    QWidget *m_window;
    std::function<void()> m_place;
};

} // namespace

void placeWhenFramed(QWidget *window, std::function<void()> place)
{
    window->winId(); // the native window exists from here on, so its exposure can be watched
    window->windowHandle()->installEventFilter(new FirstExposure(window, std::move(place)));
}

void centreFrameIn(QWidget *window, const QRect &outer)
{
    const QRect frame = window->frameGeometry();
    const float left = (outer.width() - frame.width()) / 2.0f;
    const float top = (outer.height() - frame.height()) / 2.0f;
    window->move(outer.x() + static_cast<int>(left), outer.y() + static_cast<int>(top));
}
