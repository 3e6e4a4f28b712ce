// The Authors window: a portrait and the credits.
#include "app/form2.h"

#include "toolkit/svg_cache.h"

#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QTimer>

Form2::Form2() : QWidget(nullptr)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Авторы"));
    setWindowIcon(QIcon(QStringLiteral(":/assets/icon.svg")));
    resize(222, 297);
    Image1 = new QLabel(this);
    Image1->setGeometry(32, 8, 150, 180);
    Image1->setPixmap(SvgCache::instance().pixmap(QStringLiteral(":/assets/portrait.svg"),
                                                  QSize(150, 180), devicePixelRatioF()));
    Label1 = new QLabel(QStringLiteral("Label1"), this);
    Label1->setGeometry(8, 200, 209, 81);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setWordWrap(true);
    // Six lines of 36 characters fill the label in a small dialog font of 11 pixels.
    QFont font = Label1->font();
    font.setPixelSize(11);
    Label1->setFont(font);
    m_caption = Label1->text();
}

void Form2::setLabel1Caption(const QString &caption)
{
    m_caption = caption;
    QString shown = caption;
    Label1->setText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void Form2::centreOver(const QWidget *window)
{
    m_centredOver = window;
    const QRect outer = window->frameGeometry();
    const QRect own = frameGeometry();
    const float left = (outer.width() - own.width()) / 2.0f + outer.x();
    const float top = (outer.height() - own.height()) / 2.0f + outer.y();
    move(static_cast<int>(left), static_cast<int>(top));
}

// The frame is known only once the window is on screen: centre again then.
void Form2::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    QPointer<const QWidget> over = m_centredOver;
    for (int delay : {0, 50, 200}) {
        QTimer::singleShot(delay, this, [this, over] {
            if (over && isVisible())
                centreOver(over);
        });
    }
}
